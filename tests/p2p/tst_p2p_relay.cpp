// A client in P2P mode reaches the stand-in local server only through the
// stand-in P2P server and the remote bridge: no WebSocket between them.
#include "LinkProbe.h"
#include "FrameReader.h"
#include "LocalServer.h"
#include "P2pServer.h"
#include "RemoteBridge.h"
#include "base/HandleRecievedMessages.h"
#include "base/MessageEnvelope.h"
#include "shell/P2pLinkSetup.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QSignalSpy>
#include <QTcpServer>
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
        auto link = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        link->setDefaultActionAfterConnected("fireTrSignUp");
        auto auth = startLink(link);
        QSignalSpy signedUp(auth.get(), &P2pClientController::Auth::saSignup);
        QSignalSpy loggedIn(auth.get(), &P2pClientController::Auth::saAuth);
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

        QSignalSpy refused(auth.get(), &P2pClientController::Auth::saFailed);
        link->setPwd("wrong");
        emit link->makeConnection();
        QVERIFY(refused.count() || refused.wait(5000));
        QCOMPARE(loggedIn.count(), 1);
        stop(link.data());
    }

    void serverProtocolRunsThroughTheRelay()
    {
        m_p2pServer.accounts().add("client", "client-secret");
        auto p2pLink = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        p2pLink->setSign("client");
        p2pLink->setPwd("client-secret");
        auto auth = startLink(p2pLink);
        QSignalSpy loggedIn(auth.get(), &P2pClientController::Auth::saAuth);
        emit p2pLink->makeConnection();
        QVERIFY(loggedIn.count() || loggedIn.wait(5000));

        // The server link in P2P mode, its own WebSocket pointed at a port nobody serves.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 deadPort = closed.serverPort();
        closed.close();
        LynClientNetworkFinalSimple serverLink;
        auto router = QSharedPointer<HandleRecievedMessages>::create();
        serverLink.setMessageHandler(router);
        serverLink.setIsP2pMode(true);
        serverLink.setP2pLink(p2pLink);
        serverLink.setParam("host", "127.0.0.1");
        serverLink.setParam("port", deadPort);
        LinkProbe probe(&serverLink);
        QSignalSpy inited(&probe, &LinkProbe::inited);
        serverLink.start();
        QVERIFY(inited.count() || inited.wait(5000));
        emit serverLink.makeConnection();

        QList<QJsonObject> cam;
        connect(router.data(), &HandleRecievedMessages::camMessage, this, [&cam](QString, QJsonObject m) { cam.append(m); });
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
        stop(&serverLink);
        stop(p2pLink.data());
    }

private:
    std::unique_ptr<P2pClientController::Auth> startLink(const QSharedPointer<P2pMeetingClientNetworkSimpleFinal> &link)
    {
        bool inited = false;
        const QMetaObject::Connection watch = connect(link.data(), &P2pClientBase::ClientNetworkBase::inited, this, [&inited] { inited = true; });
        auto auth = LynClient::P2pLinkSetup::start(link, "127.0.0.1", QString::number(m_p2pServer.port()), "home");
        const bool started = QTest::qWaitFor([&inited] { return inited; }, 5000);
        disconnect(watch);
        if (!started)
            qFatal("P2P link thread did not start");
        return auth;
    }

    static void stop(QThread *thread)
    {
        thread->quit();
        thread->wait();
    }

    QTemporaryDir m_dir;
    Standin::ServerLog m_log;
    Standin::LocalServer m_localServer{m_log};
    Standin::P2pServer m_p2pServer{m_log, m_dir.filePath("p2p.sqlite")};
    std::unique_ptr<Standin::RemoteBridge> m_bridge;
};

QTEST_GUILESS_MAIN(TstP2pRelay)
#include "tst_p2p_relay.moc"
