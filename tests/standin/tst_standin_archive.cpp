// The stand-in's recorded demo archive and who may drive its playback streams;
// playing, pausing and jumping are the archive screen test's, against this stand-in.
#include "StandinProcess.h"
#include "StandinControl.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

double probedSeconds(const QString &path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", path});
    if (!probe.waitForFinished(10000))
        return -1;
    return probe.readAllStandardOutput().trimmed().toDouble();
}

qint64 number(const QJsonObject &object, const char *key)
{
    return object.value(key).toVariant().toLongLong();
}
} // namespace

class TstStandinArchive : public QObject
{
    Q_OBJECT

    StandinProcess m_server;
    StandinControl m_client;
    QJsonArray m_records; // oldest first

    QJsonObject archiveRequest(const QString &action, const QString &key)
    {
        return {{"ctl", "archivePlayer"}, {"action", action}, {"streamKey", key}, {"_receiver", "7"}};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start({"--no-live"}));
        QVERIFY(m_client.open(m_server.port()));
        const QJsonObject answer = m_client.ask({{"ctl", "archive"}, {"action", "trQuery"},
                                                 {"data", QJsonObject{{"$orderby", QJsonObject{{"dtStart", 1}}}}}});
        QCOMPARE(answer.value("status").toString(), QStringLiteral("OK"));
        m_records = answer.value("records").toArray();
    }

    void demoArchiveMatchesItsFiles()
    {
        const QJsonArray records = m_records;
        QMap<qint64, int> perDevice;
        const qint64 yesterday = QDateTime(QDate::currentDate().addDays(-3), QTime(0, 0)).toMSecsSinceEpoch();
        int probed = 0;
        for (const QJsonValue &value : records) {
            const QJsonObject record = value.toObject();
            ++perDevice[number(record, "rstIDDevice")];
            const QString path = QDir(m_server.folder()).filePath(record.value("filePath").toString());
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
            QCOMPARE(number(record, "dtEnd") - number(record, "dtStart"), number(record, "duration") * 1000);
            // Recorded before now; in the small hours today's pieces reach six o'clock.
            const qint64 latest = std::max(QDateTime::currentMSecsSinceEpoch(),
                                           QDateTime(QDate::currentDate(), QTime(6, 0, 10)).toMSecsSinceEpoch());
            QVERIFY(number(record, "dtStart") > yesterday && number(record, "dtEnd") < latest);
            const QTime start = QDateTime::fromMSecsSinceEpoch(number(record, "dtStart")).time();
            QCOMPARE(number(record, "xOffset"), qint64(start.msecsSinceStartOfDay() / 1000));
            if (number(record, "type") == 1)
                QVERIFY(!record.value("detected").toString().isEmpty());
            if (probed < 6 && record.value("rowID").toInt() % 17 == 0) {
                ++probed;
                QCOMPARE(qRound(probedSeconds(path) * 10), int(number(record, "duration") * 10));
            }
        }
        QCOMPARE(perDevice.size(), 4);
        for (int count : perDevice)
            QVERIFY(count >= 24);
        QVERIFY(probed >= 3);
    }

    void disconnectEndsTheClientsStreams()
    {
        StandinControl other;
        QVERIFY(other.open(m_server.port()));
        QJsonObject create = archiveRequest("trCreateVideo", "other-stream");
        create.insert("rstIDDevice", 2);
        create.insert("_playAfterCreate", true);
        QCOMPARE(other.ask(create).value("status").toString(), QStringLiteral("OK"));
        QTRY_COMPARE_WITH_TIMEOUT(m_server.archiveReaders().size(), 1, 5000);
        const QList<qint64> reading = m_server.archiveReaders();
        // Another client cannot drive it.
        QCOMPARE(m_client.ask(archiveRequest("trPauseVideo", "other-stream")).value("status").toString(), QStringLiteral("ERROR"));
        QCOMPARE(m_client.ask(archiveRequest("trRemoveVideo", "other-stream")).value("status").toString(), QStringLiteral("ERROR"));
        QCOMPARE(m_server.archiveReaders(), reading);
        other.close();
        for (qint64 pid : reading)
            QTRY_VERIFY_WITH_TIMEOUT(StandinProcess::isGone(pid), 5000);
    }

    void badPlaybackRequestsAreRefused()
    {
        QJsonObject numberKey = archiveRequest("trCreateVideo", "x");
        numberKey.insert("streamKey", 5);
        numberKey.insert("rstIDDevice", 1);
        QCOMPARE(m_client.ask(numberKey).value("status").toString(), QStringLiteral("ERROR"));
        QJsonObject noDevice = archiveRequest("trCreateVideo", "none");
        noDevice.insert("rstIDDevice", 999);
        QCOMPARE(m_client.ask(noDevice).value("status").toString(), QStringLiteral("ERROR"));
        QJsonObject badTime = archiveRequest("trCreateVideo", "bad-time");
        badTime.insert("rstIDDevice", 1);
        badTime.insert("dtStart", "yesterday");
        QCOMPARE(m_client.ask(badTime).value("status").toString(), QStringLiteral("ERROR"));

        // A record pointing outside the archive folder is never played.
        const QJsonObject added = m_client.ask({{"ctl", "archive"}, {"action", "trAdd"}, {"rstIDDevice", 77}, {"dtStart", 1000},
                                                {"dtEnd", 9000}, {"duration", 8}, {"filePath", "../../../../etc/passwd"}});
        QCOMPARE(added.value("status").toString(), QStringLiteral("OK"));
        QJsonObject outside = archiveRequest("trCreateVideo", "outside");
        outside.insert("rstIDDevice", 77);
        const QJsonObject refused = m_client.ask(outside);
        QCOMPARE(refused.value("status").toString(), QStringLiteral("ERROR"));
        QVERIFY(m_server.archiveReaders().isEmpty());

        QJsonObject jumpUnknown = archiveRequest("trJumpVideo", "never-created");
        jumpUnknown.insert("currentPosition", 5);
        QCOMPARE(m_client.ask(jumpUnknown).value("status").toString(), QStringLiteral("ERROR"));
        QVERIFY(m_server.isRunning());
    }

    void cleanupTestCase()
    {
        QVERIFY(m_server.stop());
    }
};

QTEST_MAIN(TstStandinArchive)
#include "tst_standin_archive.moc"
