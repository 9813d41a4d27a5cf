// A server that lies: the client's link to a WebSocket server of the test's
// own, which answers the controllers' queries once and then sends 10,000
// malformed or hostile messages. Names meant to escape the SDP folders are the
// controllers' replay test's.
#include "ArchiveTestController.h"
#include "ControllersLink.h"
#include "TimeBudget.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/device/DeviceController.h"

#include <QAbstractItemModelTester>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QWebSocketServer>
#include <QtTest>

using namespace LynClientController;

namespace {

constexpr int kHostileMessages = 10000;

// Every string key "_receiver" of the message points at nobody, so that only
// the message's form, never its address, decides what happens to it.
QJsonValue addressedToNobody(const QJsonValue &value)
{
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &item : value.toArray())
            array.append(addressedToNobody(item));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    if (object.contains(QStringLiteral("_receiver")))
        object.insert(QStringLiteral("_receiver"), QStringLiteral("nobody"));
    return object;
}

QString nested(int depth)
{
    return QStringLiteral("{\"ctl\": \"cam\", \"action\": \"srUpdated\", \"rowID\": %1%2}")
        .arg(QString(depth, QLatin1Char('[')), QString(depth, QLatin1Char(']')));
}

// The fuzz seeds, then wrong types, huge numbers and deep nesting.
QStringList hostileTexts()
{
    QStringList texts;
    QDirIterator seeds(qEnvironmentVariable("LYN_SOURCE_DIR") + QStringLiteral("/fuzz/corpus"), QDir::Files,
                       QDirIterator::Subdirectories);
    while (seeds.hasNext()) {
        QFile file(seeds.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        if (document.isObject())
            texts << QString::fromUtf8(QJsonDocument(addressedToNobody(document.object()).toObject()).toJson());
        else if (document.isArray())
            texts << QString::fromUtf8(QJsonDocument(addressedToNobody(document.array()).toArray()).toJson());
        else
            texts << QString::fromUtf8(bytes);
    }
    texts << QStringLiteral("{\"ctl\": 5, \"action\": [\"saQuery\"]}") << QStringLiteral("{\"ctl\": \"cam\", \"action\": {\"a\": 1}}")
          << QStringLiteral("{\"ctl\": \"archive\", \"action\": \"saQuery\", \"_receiver\": {\"x\": 1}, \"records\": 5}")
          << QStringLiteral("{\"ctl\": \"archive\", \"action\": \"saInfo\", \"status\": \"ERROR\", \"ERRCODE\": \"110\", \"rowID\": [1]}")
          << QStringLiteral("{\"ctl\": \"cam\", \"action\": \"srUpdated\", \"rowID\": 1e308, \"dtUpdate\": -1e308}")
          << QStringLiteral("{\"ctl\": \"archive\", \"action\": \"srInserted\", \"rowID\": 18446744073709551617}")
          << QStringLiteral("{\"ctl\": \"archivePlayer\", \"action\": \"srPosition\", \"streamKey\": null, \"currentPosition\": 1e999}")
          << QStringLiteral("[1, 2, 3]") << QStringLiteral("null") << QString() << QStringLiteral("{") << QStringLiteral("\"just text\"")
          << QString::fromUtf8("{\"ctl\": \"cam\", \"action\": \"srUpdated\", \"name\": \"\xef\xbf\xbf\xed\xa0\x80\"}")
          << nested(100) << nested(1000) << nested(100000);
    return texts;
}

// Sent once each: 10 MB strings, in and out of a message.
QStringList hugeTexts()
{
    const QString tenMegabytes(10 * 1024 * 1024, QLatin1Char('x'));
    QStringList texts;
    texts << QStringLiteral("{\"ctl\": \"cam\", \"action\": \"srUpdated\", \"name\": \"%1\"}").arg(tenMegabytes)
          << QStringLiteral("{\"ctl\": \"archive\", \"action\": \"saQuery\", \"_receiver\": \"nobody\", \"records\": [{\"rowID\": 1, \"note\": \"%1\"}]}")
                 .arg(tenMegabytes)
          << tenMegabytes;
    return texts;
}

QList<QVariantMap> rowsOf(const OriginalModel *model)
{
    QList<QVariantMap> rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->originalData(row);
    return rows;
}

} // namespace

class TstHostileServer : public QObject
{
    Q_OBJECT

    QWebSocketServer m_server{QStringLiteral("hostile"), QWebSocketServer::NonSecureMode};
    QWebSocket *m_client = nullptr;
    QList<QJsonObject> m_requests;
    ControllersLink m_link;
    QTemporaryDir m_root;
    QString m_startDir;

    void send(const QJsonObject &message)
    {
        m_client->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    }

    QJsonObject waitForRequest(const QString &ctl, const QString &action)
    {
        QJsonObject found;
        const bool seen = QTest::qWaitFor([&] {
            for (const QJsonObject &request : qAsConst(m_requests)) {
                if (request.value("ctl").toString() == ctl && request.value("action").toString() == action) {
                    found = request;
                    return true;
                }
            }
            return false;
        }, 20000);
        return seen ? found : QJsonObject();
    }

    // Everything sent before it has been handled once the marker comes back as a signal.
    bool handledSoFar(DeviceController &devices)
    {
        QSignalSpy info(&devices, &ControllerItemBase::saInfo);
        send({{"ctl", "cam"}, {"action", "saInfo"}, {"_receiver", "nobody"}, {"status", "OK"}, {"marker", true}});
        return QTest::qWaitFor([&] {
            for (const QList<QVariant> &signal : qAsConst(info))
                if (signal.at(0).toJsonObject().value("marker").toBool())
                    return true;
            return false;
        }, timeBudget(60000));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(QDir(m_root.path()).mkpath("work"));
        m_startDir = QDir::currentPath();
        // Whatever the controllers write goes below a folder of the test's own.
        QVERIFY(QDir::setCurrent(m_root.filePath("work")));
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        connect(&m_server, &QWebSocketServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            m_client->setParent(this); // the server hands it over without an owner
            connect(m_client, &QWebSocket::textMessageReceived, this,
                    [this](const QString &text) { m_requests << QJsonDocument::fromJson(text.toUtf8()).object(); });
        });
        QSignalSpy state(&m_server, &QWebSocketServer::newConnection);
        QVERIFY(m_link.start(m_server.serverPort()));
        QVERIFY(state.count() || state.wait(20000));
    }

    void cleanupTestCase()
    {
        m_link.close();
        QDir::setCurrent(m_startDir);
    }

    void hostileMessagesLeaveLinkAndModelsAsTheyWere()
    {
        DeviceController devices;
        ArchiveController archive;
        for (ControllerItemBase *c : {static_cast<ControllerItemBase *>(&devices), static_cast<ControllerItemBase *>(&archive)}) {
            new ScreenFeeder(c);
            new QAbstractItemModelTester(c->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c);
            new QAbstractItemModelTester(c->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c);
            c->setUseTrQuery(true);
            c->trQuery();
        }
        const QJsonObject camQuery = waitForRequest("cam", "trQuery");
        const QJsonObject archiveQuery = waitForRequest("archive", "trQuery");
        QVERIFY(!camQuery.isEmpty() && !archiveQuery.isEmpty());
        send({{"ctl", "cam"}, {"action", "saQuery"}, {"status", "OK"}, {"_receiver", camQuery.value("_receiver")},
              {"records", QJsonArray{QJsonObject{{"rowID", 1}, {"dtUpdate", 100}, {"dtInsert", 100}, {"name", "Gate"}},
                                     QJsonObject{{"rowID", 2}, {"dtUpdate", 200}, {"dtInsert", 200}, {"name", "Yard"}}}}});
        send({{"ctl", "archive"}, {"action", "saQuery"}, {"status", "OK"}, {"_receiver", archiveQuery.value("_receiver")},
              {"records", QJsonArray{QJsonObject{{"rowID", 11}, {"dtUpdate", 1000}, {"dtInsert", 1000}, {"rstIDDevice", 1}}}}});
        QTRY_COMPARE_WITH_TIMEOUT(devices.originalModel()->rowCount(), 2, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(archive.originalModel()->rowCount(), 1, 20000);
        const QList<QVariantMap> devicesBefore = rowsOf(devices.originalModel());
        const QList<QVariantMap> archiveBefore = rowsOf(archive.originalModel());
        const qlonglong connections = m_link.amountConnected();
        QSignalSpy state(m_link.probe(), &LinkProbe::connectionState);

        const QStringList texts = hostileTexts();
        QVERIFY(texts.size() > 50);
        const QStringList huge = hugeTexts();
        for (const QString &text : huge)
            m_client->sendTextMessage(text);
        for (int i = huge.size(); i < kHostileMessages; ++i) {
            m_client->sendTextMessage(texts.at(i % texts.size()));
            // Handled in batches, so that the far end never holds more than a few messages' worth.
            if (i % 500 == 499)
                QVERIFY2(handledSoFar(devices), qPrintable(QStringLiteral("the link stopped after %1 messages").arg(i + 1)));
        }
        QVERIFY(handledSoFar(devices));

        QCOMPARE(state.count(), 0);
        QCOMPARE(m_link.amountConnected(), connections);
        QCOMPARE(rowsOf(devices.originalModel()), devicesBefore);
        QCOMPARE(rowsOf(archive.originalModel()), archiveBefore);
    }

};

QTEST_GUILESS_MAIN(TstHostileServer)
#include "tst_hostile_server.moc"
