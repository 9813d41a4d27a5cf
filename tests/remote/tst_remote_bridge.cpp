// The remote installation's side of a P2P channel on 127.0.0.1, without NATs
// (no root needed): the client's own P2P link and peers manager ask the
// stand-in bridge for cameras through the stand-in P2P server. Playing,
// stopping and giving up on a remote camera are tested in the client's window
// across two NATs (tst_remote_desktop); here the refusals and the loss of the
// P2P server.
#include "AddressResolver.h"
#include "LocalServer.h"
#include "P2pModeLink.h"
#include "P2pServer.h"
#include "RemoteBridge.h"

#include "base/SettingsSimple.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"
#include "client_base/other/peer/SocketConnectionMode.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

using P2pClientController::PeersManagerController;
using P2pClientController::SingleTcpRelayBaseController;

namespace {

constexpr int kWait = 20000;

QString channelRequest(const QJsonObject &params)
{
    QJsonObject request = params;
    request.insert("ctl", "cam");
    request.insert("action", "trInitP2PChannel");
    return QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact));
}

// A UDP port that counts the RTP packets reaching it and when the last came.
class RtpCounter
{
public:
    bool bind(quint16 port)
    {
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] {
            while (m_socket.hasPendingDatagrams()) {
                const QByteArray data = m_socket.receiveDatagram().data();
                if (data.size() >= 12 && (uchar(data.at(0)) >> 6) == 2) {
                    ++packets;
                    lastMs = clock.elapsed();
                }
            }
        });
        clock.start();
        return m_socket.bind(QHostAddress::AnyIPv4, port);
    }

    int packets = 0;
    qint64 lastMs = -1;
    QElapsedTimer clock;

private:
    QUdpSocket m_socket;
};

} // namespace

class TstRemoteBridge : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void channelRequestsThatCannotBeServedAreRefused();
    void aLateRequestLeavesReleasedPortsToThePlayer();
    void losingTheP2pServerStopsEveryChannel();

private:
    // The relayed answer to a channel request, or empty.
    QJsonObject ask(const QJsonObject &params);
    // Releases both punched ports of a stream once its RTP path is open; the RTP port.
    quint16 openedPort(const QString &streamKey);

    QTemporaryDir m_dir;
    Standin::ServerLog m_log;
    Standin::AddressResolver m_resolver;
    Standin::LocalServer m_localServer{m_log};
    std::unique_ptr<Standin::P2pServer> m_p2pServer;
    std::unique_ptr<Standin::RemoteBridge> m_bridge;
    P2pModeLink m_client;
    std::unique_ptr<SingleTcpRelayBaseController> m_relay;
    std::unique_ptr<PeersManagerController> m_peers;
    int m_requests = 0;
};

void TstRemoteBridge::initTestCase()
{
    DTO::registerMetaTypes();
    QVERIFY(m_dir.isValid());
    const QString site = m_dir.filePath("site");
    QVERIFY(QDir().mkpath(site));
    QVERIFY(QFile::copy(QStringLiteral(LYN_STANDIN_DEMO_DIR "/localserver.db"), site + "/localserver.db"));
    QVERIFY(QFile::link(QStringLiteral(LYN_STANDIN_DEMO_DIR "/archive"), site + "/archive"));
    QVERIFY(m_localServer.openInstallation(site, true));
    QVERIFY(m_localServer.listen(QHostAddress::LocalHost, 0));
    QVERIFY(m_resolver.listen(QHostAddress::LocalHost, 0));
    m_p2pServer = std::make_unique<Standin::P2pServer>(m_log, m_dir.filePath("p2p.sqlite"));
    QVERIFY(m_p2pServer->listen(QHostAddress::LocalHost, 0));
    m_p2pServer->accounts().add("viewer", "viewer-secret");
    m_p2pServer->accounts().add("home", "home-secret");

    m_bridge = std::make_unique<Standin::RemoteBridge>(m_log, "home", "home-secret",
                                                       QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(m_localServer.port())));
    m_bridge->setResolver("127.0.0.1", m_resolver.port());
    QSignalSpy bridgeIn(m_bridge.get(), &Standin::RemoteBridge::loggedIn);
    m_bridge->connectTo("127.0.0.1", m_p2pServer->port());
    QVERIFY(bridgeIn.count() || bridgeIn.wait(kWait));

    QVERIFY(QDir(m_dir.path()).mkpath("client"));
    QVERIFY(QDir::setCurrent(m_dir.filePath("client")));
    {
        QSettings conf(m_dir.filePath("main.conf"), QSettings::IniFormat);
        conf.setValue("P2pServer/resolverPort", m_resolver.port());
    }
    SpSingleton<LynClientBase::SettingsSimple>::instance(m_dir.filePath("main.conf"), QSettings::IniFormat);
    m_client.p2pLink()->setSign("viewer");
    m_client.p2pLink()->setPwd("viewer-secret");
    QVERIFY(m_client.start("127.0.0.1", m_p2pServer->port(), "home", kWait));
    QVERIFY(m_client.logIn(kWait));
    m_relay = std::make_unique<SingleTcpRelayBaseController>();
    m_peers = std::make_unique<PeersManagerController>();
}

void TstRemoteBridge::cleanupTestCase()
{
    m_peers.reset();
    m_relay.reset();
    m_client.stop();
    m_bridge.reset();
}

QJsonObject TstRemoteBridge::ask(const QJsonObject &params)
{
    QSignalSpy answers(m_relay.get(), &SingleTcpRelayBaseController::srSendRequest);
    const QString id = QString::number(++m_requests);
    QJsonObject request = params;
    request.insert("_requestId", id);
    m_relay->trSendRequest({{"message", channelRequest(request)}});
    QJsonObject found;
    // Empty when no answer came: the callers compare its fields.
    (void)QTest::qWaitFor([&] {
        for (const QList<QVariant> &answer : answers) {
            const QJsonObject message = QJsonDocument::fromJson(answer.at(0).toJsonObject().value("message").toString().toUtf8()).object();
            if (message.value("_requestId").toString() == id)
                found = message;
        }
        return !found.isEmpty();
    }, kWait);
    return found;
}

quint16 TstRemoteBridge::openedPort(const QString &streamKey)
{
    QSignalSpy established(m_peers.get(), &PeersManagerController::connectionEstablished);
    QSignalSpy released(m_peers.get(), &PeersManagerController::releasedFromHost);
    const auto rtpId = [&] { return m_peers->peerByStreamKeyAndPortType(streamKey, "rtp"); };
    const auto carries = [](const QSignalSpy &spy, const QString &key, const QString &id) {
        for (const QList<QVariant> &signal : spy) {
            if (!id.isEmpty() && signal.at(0).toJsonObject().value(key).toString() == id)
                return true;
        }
        return false;
    };
    if (!QTest::qWaitFor([&] { return carries(established, "yourSocketId", rtpId()); }, kWait))
        return 0;
    const QString rtcpId = m_peers->peerByStreamKeyAndPortType(streamKey, "rtcp");
    m_peers->disconnectFromHost(rtpId(), {});
    m_peers->disconnectFromHost(rtcpId, {});
    if (!QTest::qWaitFor([&] { return carries(released, "socketId", rtpId()) && carries(released, "socketId", rtcpId); }, kWait))
        return 0;
    return static_cast<quint16>(m_peers->peer(rtpId()).value("yourLocalPort").toInt());
}

void TstRemoteBridge::channelRequestsThatCannotBeServedAreRefused()
{
    QSignalSpy closed(m_bridge.get(), &Standin::RemoteBridge::channelClosed);
    for (const QJsonValue &key : {QJsonValue(42), QJsonValue(""), QJsonValue(QString(129, QLatin1Char('k')))}) {
        const QJsonObject answer = ask({{"rowID", 1}, {"streamKey", key}});
        QCOMPARE(answer.value("status").toString(), QStringLiteral("ERROR"));
        QVERIFY(answer.value("errorMessage").toString().contains("streamKey"));
    }

    // A device without a stream: the local server refuses and the bridge drops the channel it began.
    const QJsonObject missing = ask({{"rowID", 999}, {"streamKey", "nothing"}});
    QCOMPARE(missing.value("status").toString(), QStringLiteral("ERROR"));
    QCOMPARE(missing.value("errorMessage").toString(), QStringLiteral("Device 999 has no live stream"));
    QVERIFY(closed.count() || closed.wait(kWait));
    QCOMPARE(closed.last().at(1).toString(), QStringLiteral("nothing"));

    // The client cannot point the local server's copy anywhere: the bridge names that port itself.
    QUdpSocket probe;
    QVERIFY(probe.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 target = probe.localPort();
    probe.close();
    RtpCounter stolen;
    QVERIFY(stolen.bind(target));
    QCOMPARE(ask({{"rowID", 2}, {"streamKey", "garden"}, {"forwardPort", target}}).value("status").toString(), QStringLiteral("OK"));
    QVERIFY(openedPort("garden") != 0);
    QVERIFY(!QTest::qWaitFor([&] { return stolen.packets > 0; }, 2000));

    ask({{"rowID", 2}, {"streamKey", "garden"}, {"stop", true}});
    m_peers->releaseRemoteStream("garden");
}

// The far side's RTCP request may come after its RTP path opened and both
// ports went to the player: the player keeps them.
void TstRemoteBridge::aLateRequestLeavesReleasedPortsToThePlayer()
{
    const auto request = [&](const char *portType) {
        m_peers->handleMessage("srOpenPortOnRemote", std::make_shared<DTO>(DTO{{"remoteSign", "home"},
                                                                               {"remoteSocketId", portType},
                                                                               {"streamKey", "porch"},
                                                                               {"portType", portType},
                                                                               {"remoteGlobalIp", "127.0.0.1"},
                                                                               {"remoteGlobalPort", 9},
                                                                               {"remoteLocalIp", "127.0.0.1"},
                                                                               {"remoteLocalPort", 9}}));
    };
    const auto idOf = [&](const char *portType) { return m_peers->peerByStreamKeyAndPortType("porch", portType); };
    const auto mode = [&](const char *portType) { return m_peers->peer(idOf(portType)).value("socketConnectionMode").toInt(); };
    const int released = static_cast<int>(SocketConnectionMode::ReleasedFromHost);
    request("rtp");
    QVERIFY(QTest::qWaitFor([&] { return !idOf("rtcp").isEmpty(); }, kWait));
    QSignalSpy releases(m_peers.get(), &PeersManagerController::releasedFromHost);
    m_peers->disconnectFromHost(idOf("rtp"), {});
    m_peers->disconnectFromHost(idOf("rtcp"), {});
    QVERIFY(QTest::qWaitFor([&] { return releases.count() == 2; }, kWait));
    const quint16 rtcpPort = static_cast<quint16>(m_peers->peer(idOf("rtcp")).value("yourLocalPort").toInt());

    request("rtcp");
    QVERIFY(!QTest::qWaitFor([&] { return mode("rtcp") != released; }, 1000));
    QCOMPARE(mode("rtp"), released);
    QUdpSocket player;
    QVERIFY2(player.bind(QHostAddress::AnyIPv4, rtcpPort), qPrintable(player.errorString()));
    m_peers->releaseRemoteStream("porch");
}

void TstRemoteBridge::losingTheP2pServerStopsEveryChannel()
{
    QSignalSpy closed(m_bridge.get(), &Standin::RemoteBridge::channelClosed);
    m_peers->expectRemoteStream("garage");
    QCOMPARE(ask({{"rowID", 3}, {"streamKey", "garage"}}).value("status").toString(), QStringLiteral("OK"));
    const quint16 port = openedPort("garage");
    QVERIFY(port != 0);
    RtpCounter counter;
    QVERIFY(counter.bind(port));
    QVERIFY(QTest::qWaitFor([&] { return counter.packets >= 20; }, kWait));

    const qint64 lostAt = counter.clock.elapsed();
    m_p2pServer.reset();
    QVERIFY(closed.count() || closed.wait(kWait));
    QCOMPARE(closed.first().at(2).toString(), QStringLiteral("the P2P server connection was lost"));
    QVERIFY(QTest::qWaitFor([&] { return counter.clock.elapsed() - counter.lastMs > 3000; }, kWait));
    QVERIFY2(counter.lastMs - lostAt < 2000, qPrintable(QStringLiteral("packets %1 ms after the loss").arg(counter.lastMs - lostAt)));
}

QTEST_GUILESS_MAIN(TstRemoteBridge)
#include "tst_remote_bridge.moc"
