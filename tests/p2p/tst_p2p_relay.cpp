// A client in P2P mode reaches the stand-in local server only through the
// stand-in P2P server and the remote bridge: no WebSocket between them.
#include "FrameReader.h"
#include "LocalServer.h"
#include "P2pModeLink.h"
#include "P2pServer.h"
#include "RemoteBridge.h"
#include "base/MessageEnvelope.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>

using LynClientBase::HandleRecievedMessages;
using LynClientBase::MessageEnvelope;

class TstP2pRelay : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        QVERIFY(m_localServer.listen(QHostAddress::LocalHost, 0));
        QVERIFY(m_p2pServer.listen(QHostAddress::LocalHost, 0));
        m_p2pServer.accounts().add("home", "home-secret");

        m_bridge = std::make_unique<Standin::RemoteBridge>(
            m_log, "home", "home-secret", QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(m_localServer.port())));
        QSignalSpy bridgeIn(m_bridge.get(), &Standin::RemoteBridge::loggedIn);
        m_bridge->connectTo("127.0.0.1", m_p2pServer.port());
        QVERIFY(bridgeIn.count() || bridgeIn.wait(5000));
    }

    void signUpThenLogIn()
    {
        P2pModeLink client;
        const auto link = client.p2pLink();
        link->setDefaultActionAfterConnected("fireTrSignUp");
        QVERIFY(client.start("127.0.0.1", m_p2pServer.port()));
        QSignalSpy signedUp(client.auth(), &P2pClientController::Auth::saSignup);
        QSignalSpy loggedIn(client.auth(), &P2pClientController::Auth::saAuth);
        emit link->makeConnection();
        QVERIFY(signedUp.count() || signedUp.wait(5000));
        const QJsonObject credentials = signedUp.first().at(0).toJsonObject();
        QVERIFY(!credentials.value("sign").toString().isEmpty());

        link->setSign(credentials.value("sign").toString());
        link->setPwd(credentials.value("secretKey").toString());
        link->setDefaultActionAfterConnected("fireTrAuth");
        emit link->makeConnection();
        QVERIFY(loggedIn.count() || loggedIn.wait(5000));
        QCOMPARE(link->amountConnected(), 1);

        QSignalSpy refused(client.auth(), &P2pClientController::Auth::saFailed);
        link->setPwd("wrong");
        emit link->makeConnection();
        QVERIFY(refused.count() || refused.wait(5000));
        QCOMPARE(loggedIn.count(), 1);
    }

    void serverProtocolRunsThroughTheRelay()
    {
        m_p2pServer.accounts().add("client", "client-secret");
        P2pModeLink client;
        const auto p2pLink = client.p2pLink();
        p2pLink->setSign("client");
        p2pLink->setPwd("client-secret");
        QVERIFY(client.start("127.0.0.1", m_p2pServer.port()));
        QVERIFY(client.logIn(5000));
        QVERIFY(client.startServerLink(5000));
        LynClientNetworkFinalSimple &serverLink = *client.serverLink();

        QList<QJsonObject> cam;
        connect(client.router(), &HandleRecievedMessages::camMessage, this, [&cam](QString, QJsonObject m) { cam.append(m); });
        emit serverLink.sendTextMessage(MessageEnvelope::toText(MessageEnvelope::wrap({{"_request", "r1"}}, "cam", "trQuery", "5")));
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 1, 8000);
        QCOMPARE(cam.first().value("action").toString(), QStringLiteral("saQuery"));
        QCOMPARE(cam.first().value("_receiver").toString(), QStringLiteral("5"));
        QCOMPARE(cam.first().value("_request").toString(), QStringLiteral("r1"));

        // A notification of the local server reaches the client the same way.
        m_localServer.broadcast({{"ctl", "cam"}, {"action", "srInserted"}, {"rowID", 42}});
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 2, 8000);
        QCOMPARE(cam.last().value("action").toString(), QStringLiteral("srInserted"));
        QCOMPARE(cam.last().value("rowID").toInt(), 42);

        // A text holding the frame terminator crosses both ways whole.
        emit serverLink.sendTextMessage(MessageEnvelope::toText(MessageEnvelope::wrap({{"_request", "gate #ENDMSG cam"}}, "cam", "trQuery", "5")));
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 3, 8000);
        QCOMPARE(cam.last().value("_request").toString(), QStringLiteral("gate #ENDMSG cam"));
        m_localServer.broadcast({{"ctl", "cam"}, {"action", "srInserted"}, {"rowID", 43}, {"name", "yard #ENDMSG cam"}});
        QTRY_COMPARE_WITH_TIMEOUT(cam.size(), 4, 8000);
        QCOMPARE(cam.last().value("name").toString(), QStringLiteral("yard #ENDMSG cam"));

        // Relayed requests count only from the remote installation, and only in P2P mode.
        m_p2pServer.accounts().add("intruder", "intruder-secret");
        QSignalSpy commands(&m_p2pServer, &Standin::P2pServer::commandReceived);
        QTcpSocket intruder;
        intruder.connectToHost(QHostAddress::LocalHost, m_p2pServer.port());
        QVERIFY(intruder.waitForConnected(5000));
        intruder.write(Standin::FrameReader::encode({{{"FN", "auth_trAuth"}, {"SIGN", "intruder"}, {"SID", "intruder-secret"}},
                                                     {{"FN", "singleTcpRelay_trSendRequest"}, {"SIGN", "intruder"}, {"remoteSign", "client"},
                                                      {"message", R"({"ctl": "cam", "action": "srInserted", "rowID": 666})"}}}));
        QTRY_VERIFY_WITH_TIMEOUT(commands.contains(QVariantList{"intruder", "singleTcpRelay_trSendRequest"}), 5000);

        std::atomic<int> outsideP2pMode{0};
        connect(p2pLink.data(), &P2pClientBase::ClientNetworkSimple::messageReceived, p2pLink.data(), [&outsideP2pMode](std::shared_ptr<DTO> m) {
            if (m->value("message").toString().contains("667"))
                ++outsideP2pMode;
        }, Qt::DirectConnection);
        serverLink.setIsP2pMode(false);
        m_localServer.broadcast({{"ctl", "cam"}, {"action", "srInserted"}, {"rowID", 667}});
        QTRY_VERIFY_WITH_TIMEOUT(outsideP2pMode > 0, 8000);
        // Everything queued to the server link so far is handled before the mode changes back.
        QMetaObject::invokeMethod(&serverLink, [] {}, Qt::BlockingQueuedConnection);
        serverLink.setIsP2pMode(true);
        m_localServer.broadcast({{"ctl", "cam"}, {"action", "srInserted"}, {"rowID", 44}});
        QTRY_VERIFY_WITH_TIMEOUT(!cam.isEmpty() && cam.last().value("rowID").toInt() == 44, 8000);
        QCOMPARE(cam.size(), 5);

        // Only the bridge ever talked to the local server.
        QCOMPARE(m_localServer.clientCount(), 1);
        QCOMPARE(serverLink.amountConnected(), 0);
        // Before the counter the link thread writes to goes.
        client.stop();
    }

private:
    QTemporaryDir m_dir;
    Standin::ServerLog m_log;
    Standin::LocalServer m_localServer{m_log};
    Standin::P2pServer m_p2pServer{m_log, m_dir.filePath("p2p.sqlite")};
    std::unique_ptr<Standin::RemoteBridge> m_bridge;
};

QTEST_GUILESS_MAIN(TstP2pRelay)
#include "tst_p2p_relay.moc"
