#include "DebugCapture.h"
#include "LinkProbe.h"
#include "MainLogFile.h"
#include "LocalServer.h"
#include "TestLink.h"
#include "base/HandleRecievedMessages.h"
#include "base/LogSetup.h"
#include "base/MessageEnvelope.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QWebSocketServer>
#include <QtTest>

#include <memory>

using LynClientBase::HandleRecievedMessages;

namespace {

// A link on its own thread, started the way the client starts it.
struct RunningLink
{
    RunningLink(quint16 port, qint64 pingSec = 10, qint64 pongSec = 5, bool usePing = true)
        : link(new TestLink(pingSec, pongSec))
        , router(QSharedPointer<HandleRecievedMessages>::create())
        , probe(link.get())
    {
        link->setMessageHandler(router);
        link->setParam("use_ping", usePing);
        link->setParam("host", "127.0.0.1");
        link->setParam("port", port);
        QSignalSpy inited(&probe, &LinkProbe::inited);
        link->start();
        if (!(inited.count() || inited.wait(5000)))
            qFatal("link thread did not start");
    }
    ~RunningLink()
    {
        link->quit();
        link->wait();
    }

    std::unique_ptr<TestLink> link;
    QSharedPointer<HandleRecievedMessages> router;
    LinkProbe probe;
};

} // namespace

class TstServerLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_logDir.isValid());
        LynClientBase::LogSetup::start(m_logDir.path());
    }

    void init()
    {
        m_server = std::make_unique<Standin::LocalServer>(m_serverLog);
        QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
    }

    void cleanup() { m_server.reset(); }

    void connectsCountsAndRoutesAnswers()
    {
        RunningLink r(m_server->port());
        QSignalSpy state(&r.probe, &LinkProbe::connectionState);
        QSignalSpy amount(&r.probe, &LinkProbe::amountConnectedChanged);
        QList<QJsonObject> cam;
        connect(r.router.data(), &HandleRecievedMessages::camMessage, this,
                [&cam](QString, QJsonObject m) { cam.append(m); });

        emit r.link->makeConnection();
        QVERIFY(state.count() || state.wait(5000));
        QCOMPARE(state.first().at(0).toBool(), true);
        QCOMPARE(amount.first().at(0).toLongLong(), 1);
        QCOMPARE(r.link->amountConnected(), 1);

        const QString text = LynClientBase::MessageEnvelope::toText(
            LynClientBase::MessageEnvelope::wrap({{"_request", "x"}}, "cam", "trQuery", "5"));
        emit r.link->sendTextMessage(text);
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 1, 5000);
        QCOMPARE(cam.first().value("action").toString(), QStringLiteral("saQuery"));
        QCOMPARE(cam.first().value("_receiver").toString(), QStringLiteral("5"));
        QCOMPARE(cam.first().value("_request").toString(), QStringLiteral("x"));

        const QString log = readLog();
        // One log line each: line feeds inside the message are written escaped.
        QVERIFY(log.contains("[main] [info] SEND " + QString(text).replace("\n", "\\n")));
        QVERIFY(log.contains("[main] [info] RECEIVE{\\n"));
        QVERIFY(log.contains("\"action\": \"saQuery\""));
    }

    void reconnectsAboutASecondAfterTheServerDropsIt()
    {
        RunningLink r(m_server->port());
        QSignalSpy state(&r.probe, &LinkProbe::connectionState);
        QSignalSpy amount(&r.probe, &LinkProbe::amountConnectedChanged);
        emit r.link->makeConnection();
        QVERIFY(amount.count() || amount.wait(5000));

        // The stand-in closes this connection when asked to.
        emit r.link->sendTextMessage(LynClientBase::MessageEnvelope::toText(
            LynClientBase::MessageEnvelope::wrap({}, "app", "trCloseConnection", "1")));
        QTRY_COMPARE_WITH_TIMEOUT(state.count(), 2, 5000);
        QCOMPARE(state.at(1).at(0).toBool(), false);
        QElapsedTimer sinceLoss;
        sinceLoss.start();

        // Back well before the 5 s retry timer could have done it.
        QVERIFY(amount.count() == 2 || amount.wait(4000));
        QVERIFY(sinceLoss.elapsed() >= 900);
        QCOMPARE(amount.last().at(0).toLongLong(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(state.count(), 3, 2000);
        QCOMPARE(state.last().at(0).toBool(), true);
    }

    void pongsKeepALiveServerConnected()
    {
        RunningLink r(m_server->port(), 2, 1);
        QSignalSpy state(&r.probe, &LinkProbe::connectionState);
        emit r.link->makeConnection();
        QVERIFY(state.count() || state.wait(5000));
        QVERIFY(!state.wait(3500));
        QCOMPARE(r.link->amountConnected(), 1);
    }

    void closeConnectionStopsAllRetries()
    {
        RunningLink r(m_server->port());
        QSignalSpy state(&r.probe, &LinkProbe::connectionState);
        QSignalSpy closed(&r.probe, &LinkProbe::connectionClosed);
        QSignalSpy serverSaw(m_server.get(), &Standin::LocalServer::clientConnected);
        emit r.link->makeConnection();
        QVERIFY(state.count() || state.wait(5000));
        QCOMPARE(serverSaw.count(), 1);

        emit r.link->closeConnection();
        QVERIFY(closed.count() || closed.wait(5000));
        QCOMPARE(state.last().at(0).toBool(), false);
        QTRY_COMPARE_WITH_TIMEOUT(m_server->clientCount(), 0, 5000);
        QVERIFY(!serverSaw.wait(2500));
        QCOMPARE(serverSaw.count(), 1);
        QCOMPARE(r.link->amountConnected(), 1);
    }

    void closeBeforeTheServerIsUpStopsDialling()
    {
        const quint16 port = m_server->port();
        m_server.reset();
        RunningLink r(port);
        QSignalSpy closed(&r.probe, &LinkProbe::connectionClosed);
        emit r.link->makeConnection();
        emit r.link->closeConnection();
        QVERIFY(closed.count() || closed.wait(5000));

        Standin::LocalServer server(m_serverLog);
        QVERIFY(server.listen(QHostAddress::LocalHost, port));
        QSignalSpy serverSaw(&server, &Standin::LocalServer::clientConnected);
        QVERIFY(!serverSaw.wait(6000));
    }

    void makeConnectionWhileConnectedReconnectsOnce()
    {
        RunningLink r(m_server->port());
        QSignalSpy amount(&r.probe, &LinkProbe::amountConnectedChanged);
        emit r.link->makeConnection();
        QVERIFY(amount.count() || amount.wait(5000));
        emit r.link->makeConnection();
        QVERIFY(amount.count() == 2 || amount.wait(5000));
        QVERIFY(!amount.wait(2500));
        QCOMPARE(r.link->amountConnected(), 2);
        QCOMPARE(m_server->clientCount(), 1);
    }

    void nonObjectTextIsReportedAndNotRouted()
    {
        QWebSocketServer sender("sender", QWebSocketServer::NonSecureMode);
        QVERIFY(sender.listen(QHostAddress::LocalHost, 0));
        connect(&sender, &QWebSocketServer::newConnection, this, [&sender] {
            QWebSocket *socket = sender.nextPendingConnection();
            socket->setParent(&sender);
            socket->sendTextMessage("[1,2]");
            socket->sendTextMessage("{broken");
            socket->sendTextMessage(R"({"ctl":"cam","action":"srUpdated","n":1})");
        });
        DebugCapture debug;
        RunningLink r(sender.serverPort());
        QList<QJsonObject> cam;
        connect(r.router.data(), &HandleRecievedMessages::camMessage, this,
                [&cam](QString, QJsonObject m) { cam.append(m); });
        emit r.link->makeConnection();
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 1, 5000);
        QCOMPARE(cam.first().value("n").toInt(), 1);
        QVERIFY(debug.contains("Incoming message is not JSON object, message: '[1,2]'"));
        QVERIFY(debug.contains("Incoming message is not JSON object, message: '{broken'"));
        QVERIFY(!readLog().contains("RECEIVE["));
    }

private:
    QString readLog() const { return readMainLog(m_logDir.path()); }

    QTemporaryDir m_logDir;
    Standin::ServerLog m_serverLog;
    std::unique_ptr<Standin::LocalServer> m_server;
};

QTEST_GUILESS_MAIN(TstServerLink)
#include "tst_server_link.moc"
