// The stand-in's services over a real WebSocket, where the controllers' own
// tests against it do not reach: refused module requests, search progress,
// messenger details, the change counter after a restart, and hostile input.
#include "StandinProcess.h"
#include "StandinControl.h"

#include <QDateTime>
#include <QJsonArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <QtTest>

namespace {
QJsonObject moduleRequest(const QString &action, qint64 device, const QString &workname = QString())
{
    QJsonObject request{{"ctl", "moduleSystem"}, {"action", action}, {"rstIDDevice", device}};
    if (!workname.isEmpty())
        request.insert("workname", workname);
    return request;
}

QString status(const QJsonObject &answer)
{
    return answer.value("status").toString();
}
} // namespace

class TstStandinServices : public QObject
{
    Q_OBJECT

    StandinProcess m_server;
    std::unique_ptr<StandinControl> m_client;
    QString m_demoCode;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start({"--no-live"}));
        m_client = std::make_unique<StandinControl>();
        QVERIFY(m_client->open(m_server.port()));
    }

    void badModuleRequestsAreRefused()
    {
        const QJsonObject before = m_client->ask(moduleRequest("trGetParams", 1, "cvMotionDetection")).value("params").toObject();
        QVERIFY(!before.isEmpty());
        QJsonObject unknownParam = moduleRequest("trSetParams", 1, "cvMotionDetection");
        unknownParam.insert("params", QJsonObject{{"colour", "red"}});
        QJsonObject wrongType = moduleRequest("trSetParams", 1, "cvMotionDetection");
        wrongType.insert("params", QJsonObject{{"sensitivity", "high"}});
        QJsonObject huge = moduleRequest("trSetParams", 1, "cvMotionDetection");
        huge.insert("params", QJsonObject{{"sensitivity", 1e300}});
        QJsonObject notObject = moduleRequest("trSetParams", 1, "cvMotionDetection");
        notObject.insert("params", QJsonArray{1, 2});
        QJsonObject textDevice = moduleRequest("trModuleOn", 1, "cvMotionDetection");
        textDevice.insert("rstIDDevice", "1");
        for (const QJsonObject &request : {unknownParam, wrongType, huge, notObject, textDevice,
                                           moduleRequest("trModuleOn", 1, "noSuchModule"),
                                           moduleRequest("trModuleOn", 999, "cvMotionDetection"),
                                           moduleRequest("trRebootModule", 1, "cvMotionDetection")}) {
            const QJsonObject answer = m_client->ask(request);
            QCOMPARE(status(answer), QStringLiteral("ERROR"));
            QVERIFY(!answer.value("errorMessage").toString().isEmpty());
        }
        QCOMPARE(m_client->ask(moduleRequest("trGetParams", 1, "cvMotionDetection")).value("params").toObject(), before);
    }

    void searchReportsProgressAndProbes()
    {
        const int from = m_client->received.size();
        const QJsonObject started = m_client->ask({{"ctl", "searchDevices"}, {"action", "trSearch"}, {"_receiver", "11"}});
        QCOMPARE(status(started), QStringLiteral("OK"));
        QCOMPARE(started.value("state").toString(), QStringLiteral("SEARCHING"));
        const QJsonObject done = m_client->waitFor([](const QJsonObject &m) {
            return m.value("action").toString() == QLatin1String("saSearch") && m.value("state").toString() == QLatin1String("SEARCHED");
        }, 15000, from);
        QCOMPARE(done.value("_receiver").toString(), QStringLiteral("11"));
        QCOMPARE(done.value("progress").toInt(), 100);
        // Which results carry which credentials is the controllers' test's concern.
        const QJsonArray found = done.value("records").toArray();
        QVERIFY(found.size() >= 3);
        // Progress came one camera at a time, and each result is a table row.
        const int steps = m_client->count([](const QJsonObject &m) {
            return m.value("action").toString() == QLatin1String("saSearch") && m.value("state").toString() == QLatin1String("SEARCHING")
                && m.value("records").toArray().size() == 1;
        }, from);
        QCOMPARE(steps, found.size());
        QCOMPARE(m_client->count([](const QJsonObject &m) { return m.value("action").toString() == QLatin1String("srInserted"); }, from),
                 found.size());
        QCOMPARE(m_client->ask({{"ctl", "searchDevices"}, {"action", "trQuery"}}).value("records").toArray().size(), found.size());

        const QJsonObject probed = m_client->ask({{"ctl", "searchDevices"}, {"action", "trTryGetRtspByIP"}, {"ip", "192.168.1.71"}});
        QCOMPARE(status(probed), QStringLiteral("OK"));
        QVERIFY(!QUrl(probed.value("source").toString()).password().isEmpty());
        QCOMPARE(probed.value("record").toObject().value("source"), probed.value("source"));
        QCOMPARE(status(m_client->ask({{"ctl", "searchDevices"}, {"action", "trTryGetRtspByIP"}, {"ip", "10.1.2.3"}})), QStringLiteral("ERROR"));
        QCOMPARE(status(m_client->ask({{"ctl", "searchDevices"}, {"action", "trTryGetRtspByIP"}, {"ip", 5}})), QStringLiteral("ERROR"));
    }

    // The code, the wrong code and the link as the settings screen sees them are
    // the controllers' test's; here what only the server shows.
    void messengerLinkSurvivesAResaveAndRefusesABadPhone()
    {
        const QJsonArray settings = m_client->ask({{"ctl", "telegramSettings"}, {"action", "trQuery"}}).value("records").toArray();
        QCOMPARE(settings.size(), 1);
        const qint64 id = settings.first().toObject().value("rowID").toVariant().toLongLong();
        const int from = m_client->received.size();
        QCOMPARE(status(m_client->ask({{"ctl", "telegramSettings"}, {"action", "trUpdate"}, {"rowID", id}, {"phone", "+1 555 0100"}})),
                 QStringLiteral("OK"));
        m_demoCode = m_client->waitForAction("srCode", 5000, from).value("demoCode").toString();
        QCOMPARE(m_demoCode.size(), 5);
        QCOMPARE(status(m_client->ask({{"ctl", "telegramSettings"}, {"action", "trUpdate"}, {"rowID", id}, {"code", m_demoCode}})),
                 QStringLiteral("OK"));
        QVERIFY(!m_client->waitForAction("srLinked", 5000, from).isEmpty());

        // Saving the linked form again keeps the link and sends no new code.
        const int resaved = m_client->received.size();
        QCOMPARE(status(m_client->ask({{"ctl", "telegramSettings"}, {"action", "trUpdate"}, {"rowID", id}, {"phone", "+1 555 0100"},
                                       {"code", m_demoCode}, {"groupName", "Home"}})),
                 QStringLiteral("OK"));
        QCOMPARE(m_client->count([](const QJsonObject &m) { return m.value("action").toString() == QLatin1String("srCode"); }, resaved), 0);
        QVERIFY(m_client->ask({{"ctl", "telegramSettings"}, {"action", "trInfo"}, {"rowID", id}}).value("record").toObject().value("isLink").toBool());

        QCOMPARE(status(m_client->ask({{"ctl", "telegramSettings"}, {"action", "trUpdate"}, {"rowID", id}, {"phone", "call me; rm -rf"}})),
                 QStringLiteral("ERROR"));
    }

    void hostileInputGetsErrorAnswers()
    {
        const QString big(70 * 1024, QLatin1Char('x'));
        const QList<QString> texts{
            "{not json",
            "[1, 2, 3]",
            "{\"ctl\": 5, \"action\": \"trQuery\"}",
            "{\"ctl\": \"cam\", \"action\": [\"trQuery\"]}",
            "{\"ctl\": \"noSuchTable\", \"action\": \"trQuery\"}",
            "{\"ctl\": \"cam\", \"action\": \"trExplode\"}",
            "{\"ctl\": \"archivePlayer\", \"action\": \"trFly\"}",
            "{\"ctl\": \"cam\", \"action\": \"trAdd\", \"camType\": \"two\"}",
            "{\"ctl\": \"cam\", \"action\": \"trUpdate\", \"rowID\": 1, \"dtRecStarted\": 1e300}",
            "{\"ctl\": \"cam\", \"action\": \"trAdd\", \"deviceName\": \"" + big + "\"}",
            "{\"ctl\": \"cam\", \"action\": \"trInfo\", \"rowID\": {\"$gt\": 0}}",
        };
        for (const QString &text : texts) {
            const int from = m_client->received.size();
            m_client->sendText(text);
            const QJsonObject answer = m_client->waitFor([](const QJsonObject &) { return true; }, 5000, from);
            QVERIFY2(status(answer) == QLatin1String("ERROR"), qPrintable(text.left(80)));
            QVERIFY(!answer.value("errorMessage").toString().isEmpty());
        }
        const int binaryFrom = m_client->received.size();
        m_client->socket.sendBinaryMessage(QByteArray("{\"ctl\": \"cam\", \"action\": \"trQuery\"}"));
        QCOMPARE(status(m_client->waitFor([](const QJsonObject &) { return true; }, 5000, binaryFrom)), QStringLiteral("ERROR"));
        QVERIFY(m_server.isRunning());
        const QJsonObject devices = m_client->ask({{"ctl", "cam"}, {"action", "trQuery"}});
        QCOMPARE(status(devices), QStringLiteral("OK"));
        QCOMPARE(devices.value("records").toArray().size(), 4);
    }

    void changeCounterContinuesAboveStoredChanges()
    {
        m_client.reset();
        QVERIFY(m_server.stop());
        // Changes stamped ahead of this clock (a clock set back since) stay newest unless seeded.
        const qint64 ahead = QDateTime::currentMSecsSinceEpoch() + 24 * 3600 * 1000;
        {
            const QString name = QUuid::createUuid().toString();
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(m_server.folder() + "/localserver.db");
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("UPDATE \"cam\" SET \"dtUpdate\" = %1 WHERE \"rowID\" = 1").arg(ahead)));
            query.finish();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
        }
        QVERIFY(m_server.start({"--no-live"}));
        m_client = std::make_unique<StandinControl>();
        QVERIFY(m_client->open(m_server.port()));
        QCOMPARE(status(m_client->ask({{"ctl", "cam"}, {"action", "trUpdate"}, {"rowID", 2}, {"deviceName", "Garden 2"}})),
                 QStringLiteral("OK"));
        const QJsonArray newer = m_client->ask({{"ctl", "cam"}, {"action", "trQuery"},
                                                {"data", QJsonObject{{"dtUpdate", QJsonObject{{"$gte", double(ahead + 1)}}}}}})
                                     .value("records").toArray();
        QCOMPARE(newer.size(), 1);
        QCOMPARE(newer.first().toObject().value("deviceName").toString(), QStringLiteral("Garden 2"));
    }

    void logHoldsNoSecrets()
    {
        QFile file(m_server.folder() + "/localserver.log");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray log = file.readAll();
        QVERIFY(log.contains("RECEIVED") && log.contains("srCode") && log.contains("192.168.1.71"));
        for (const QByteArray &secret : {QByteArray("garden7"), QByteArray("porch71"), QByteArray("pass4k"),
                                         QByteArray("\"demoCode\":\"") + m_demoCode.toUtf8(),
                                         QByteArray("\"code\":\"") + m_demoCode.toUtf8()})
            QVERIFY2(!log.contains(secret), secret.constData());
    }

    void cleanupTestCase()
    {
        m_client.reset();
        QVERIFY(m_server.stop());
    }
};

QTEST_MAIN(TstStandinServices)
#include "tst_standin_services.moc"
