// The Russian catalogue against the sources: every text lupdate finds has a finished
// translation that keeps its placeholders, and the compiled catalogue in the resources
// is the one the interface loads.
#include "LynQmlResources.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

QList<Message> readCatalogue(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message{context, {}, {}, false};
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            current.finished = type.isEmpty() && !current.translation.isEmpty();
            messages.append(current);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

} // namespace

class TstTranslationCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void everyTextOfTheSourcesIsTranslated();
    void translationsKeepTheirPlaceholders();
    void theResourcesCarryTheCompiledCatalogue();
};

// Runs lupdate over the tree into a copy of the catalogue, so that texts added since it was
// last updated show up as unfinished; lists each by context and source text.
void TstTranslationCatalogue::everyTextOfTheSourcesIsTranslated()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("lyn-ru.ts"));
    QVERIFY(QFile::copy(QStringLiteral(LYN_TS_FILE), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(LYN_LUPDATE),
                  QStringList{"-locations", "none", "-no-obsolete", "-target-language", "ru_RU", "-extensions", "cpp,h,qml,js"}
                      + QString::fromUtf8(LYN_TR_SOURCES).split(QLatin1Char('|'))
                      + QStringList{"-ts", copy});
    QVERIFY(lupdate.waitForFinished(60000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    QString error;
    const QList<Message> messages = readCatalogue(copy, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(messages.size() > 100, "lupdate found too few texts: are the source folders right?");

    QStringList unfinished;
    for (const Message &message : messages) {
        if (!message.finished)
            unfinished.append(QStringLiteral("  %1: \"%2\"").arg(message.context, message.source));
    }
    QVERIFY2(unfinished.isEmpty(),
             qPrintable(QStringLiteral("%1 texts lack a Russian translation (add them to i18n/lyn-ru.ts, "
                                       "e.g. after `cmake --build build --target lyn-lupdate`):\n%2")
                            .arg(unfinished.size())
                            .arg(unfinished.join(QLatin1Char('\n')))));
}

void TstTranslationCatalogue::translationsKeepTheirPlaceholders()
{
    QString error;
    const QList<Message> messages = readCatalogue(QStringLiteral(LYN_TS_FILE), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList broken;
    for (const Message &message : messages) {
        if (message.finished && placeholders(message.source) != placeholders(message.translation))
            broken.append(QStringLiteral("  %1: \"%2\" -> \"%3\"").arg(message.context, message.source, message.translation));
        // Texts whose source starts or ends with a space are joined to others.
        if (message.finished && (message.source.endsWith(QLatin1Char(' ')) != message.translation.endsWith(QLatin1Char(' '))))
            broken.append(QStringLiteral("  %1: \"%2\" (trailing space)").arg(message.context, message.source));
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
}

void TstTranslationCatalogue::theResourcesCarryTheCompiledCatalogue()
{
    initLynQmlResources();
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("lyn-ru"), QStringLiteral("://i18n/")));
    QCOMPARE(translator.translate("MainTabBar", "Desktop"), QStringLiteral("Рабочий стол"));
    QCOMPARE(translator.translate("LynFooter", "Connected"), QStringLiteral("Подключено"));
    QCOMPARE(translator.translate("LynClientController::PrivateYoutubeTypeController", "Private"),
             QStringLiteral("Ограниченный доступ"));
    // A text the catalogue does not hold stays untranslated.
    QVERIFY(translator.translate("MainTabBar", "No such text").isEmpty());
}

QTEST_GUILESS_MAIN(TstTranslationCatalogue)

#include "tst_translation_catalogue.moc"
