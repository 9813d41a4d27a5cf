#include "Fixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

QList<QJsonObject> loadFixture(const QString &name, const QMap<QString, QString> &values)
{
    QFile file(QStringLiteral(CONTROLLER_FIXTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    QByteArray text = file.readAll();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text.replace("\"@" + it.key().toUtf8() + "\"", "\"" + it.value().toUtf8() + "\"");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (!document.isArray())
        qFatal("fixture %s is not a list: %s", qPrintable(name), qPrintable(error.errorString()));
    QList<QJsonObject> messages;
    for (const QJsonValue &message : document.array())
        messages.append(message.toObject());
    return messages;
}
