#include "base/LogSetup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <spdlog/spdlog.h>

using LynClientBase::LogSetup;

namespace {
QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

class TstLogSetup : public QObject
{
    Q_OBJECT
private slots:
    void logFileCarriesStartTimeAndDate()
    {
        QTemporaryDir dir;
        const QDateTime start(QDate::currentDate(), QTime(9, 5, 7));
        const QString name = LogSetup::start(dir.path(), start);
        QCOMPARE(name, QStringLiteral("logs/log_%1 09_05_07.txt").arg(start.toString("yyyy_MM_dd")));
        spdlog::get("main")->flush();

        // The daily sink puts the current date before the extension.
        const QString dated = QStringLiteral("log_%1 09_05_07_%2.txt").arg(start.toString("yyyy_MM_dd"), QDate::currentDate().toString("yyyy-MM-dd"));
        const QString path = QDir(dir.filePath("logs")).filePath(dated);
        QVERIFY2(QFile::exists(path), qPrintable(QDir(dir.filePath("logs")).entryList().join(", ")));
        QVERIFY(readAll(path).contains("[main] [info] Is started...."));
    }

    void twoStartsInOneSecondAppendToOneFile()
    {
        QTemporaryDir dir;
        const QDateTime start = QDateTime::currentDateTime();
        LogSetup::start(dir.path(), start);
        spdlog::get("main")->info("first run");
        LogSetup::start(dir.path(), start);
        spdlog::get("main")->info("second run");
        spdlog::get("main")->flush();

        const QStringList files = QDir(dir.filePath("logs")).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        const QString text = readAll(QDir(dir.filePath("logs")).filePath(files.first()));
        QCOMPARE(text.count("Is started...."), 2);
        QVERIFY(text.indexOf("first run") < text.indexOf("second run"));
    }
};

QTEST_GUILESS_MAIN(TstLogSetup)
#include "tst_log_setup.moc"
