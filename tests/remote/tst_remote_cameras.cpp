// Remote cameras end to end across two NATs (see RemoteLab), the client side
// driven from C++. The test process itself enters the client's network after
// building the lab, so its link threads, peers and players live there.
#include "LinkProbe.h"
#include "RemoteLab.h"
#include "RemoteTile.h"
#include "ScreenControllers.h"

#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "controllers/device/DeviceController.h"
#include "shell/P2pLinkSetup.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <memory>

using LynClientController::DeviceController;
using P2pClientController::PeersManagerController;

namespace {

constexpr int kStartWait = RemoteLab::kStartWait;
constexpr int kVideoWait = 60000;
const QString &kPublicIp = RemoteLab::kPublicIp;
const QString &kP2pPort = RemoteLab::kP2pPort;
const NetnsLab::Site &kClientSite = RemoteLab::kClientSite;
const NetnsLab::Site &kRemoteSite = RemoteLab::kRemoteSite;

// Bytes through the P2P server so far, from its last "traffic:" line.
qint64 trafficOf(const LabProcess &server)
{
    return relayedBytes(server.lastLine(QStringLiteral("traffic:")));
}

// CPU time (user + system, in clock ticks) a process has used.
qint64 cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = stat.readAll().split(')').value(1).trimmed().split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

} // namespace

class TstRemoteCameras : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void twoRemoteCamerasPlayThroughPunchedPaths();
    void stoppingATileStopsTheFarSideStream();
    void symmetricRemoteNatEndsUnreachableAndRetryPlays();

private:
    void enterNamespace(const QString &role);
    QString failureText(const QString &what) const;

    QTemporaryDir m_dir;
    RemoteLab m_remoteLab;
    NetnsLab *m_lab = nullptr;
    LabProcess *m_p2pServer = nullptr;
    LabProcess *m_bridge = nullptr;
    int m_hostNamespace = -1;
    QString m_startDir;

    QSharedPointer<P2pMeetingClientNetworkSimpleFinal> m_p2pLink;
    std::unique_ptr<P2pClientController::Auth> m_auth;
    QSharedPointer<LynClientNetworkFinalSimple> m_serverLink;
    std::unique_ptr<DeviceController> m_devices;
    std::unique_ptr<PeersManagerController> m_peers;
    QList<qint64> m_cameras;
    std::unique_ptr<RemoteTile> m_first;
    std::unique_ptr<RemoteTile> m_second;
};

void TstRemoteCameras::initTestCase()
{
    const QString reason = NetnsLab::unavailableReason();
    if (!reason.isEmpty())
        QSKIP(qPrintable(QStringLiteral("cannot simulate the two NATs on this machine: %1").arg(reason)));
    QVERIFY(m_dir.isValid());
    DTO::registerMetaTypes();

    const QString failed = m_remoteLab.start(m_dir.path());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_lab = &m_remoteLab.lab();
    m_p2pServer = &m_remoteLab.p2pServer();
    m_bridge = &m_remoteLab.bridge();

    // From here on this process is the client at home behind router A.
    enterNamespace(kClientSite.lan);
    m_startDir = QDir::currentPath();
    QVERIFY(QDir().mkpath(m_dir.filePath("client")));
    QVERIFY(QDir::setCurrent(m_dir.filePath("client")));
    SdpViewer::configure();

    m_p2pLink = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
    m_p2pLink->setSign("viewer");
    m_p2pLink->setPwd("viewer-secret");
    bool inited = false;
    const auto watch = connect(m_p2pLink.data(), &P2pClientBase::ClientNetworkBase::inited, this, [&inited] { inited = true; });
    m_auth = LynClient::P2pLinkSetup::start(m_p2pLink, kPublicIp, kP2pPort, "home");
    QVERIFY(QTest::qWaitFor([&inited] { return inited; }, kStartWait));
    disconnect(watch);
    QSignalSpy loggedIn(m_auth.get(), &P2pClientController::Auth::saAuth);
    emit m_p2pLink->makeConnection();
    QVERIFY2(loggedIn.count() || loggedIn.wait(kStartWait), qPrintable(m_p2pServer->tail()));

    // The server link in P2P mode: the local-server protocol runs through the relay.
    m_serverLink = QSharedPointer<LynClientNetworkFinalSimple>::create();
    m_serverLink->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
    m_serverLink->setIsP2pMode(true);
    m_serverLink->setP2pLink(m_p2pLink);
    m_serverLink->setParam("host", "127.0.0.1");
    m_serverLink->setParam("port", 9);
    {
        LinkProbe probe(m_serverLink.data());
        QSignalSpy linkInited(&probe, &LinkProbe::inited);
        m_serverLink->start();
        QVERIFY(linkInited.count() || linkInited.wait(kStartWait));
    }
    emit m_serverLink->makeConnection();
    LynClientBase::LynClientNetwork::setControllersLink(m_serverLink);

    m_devices = ScreenControllers::screenController<DeviceController>();
    m_peers = std::make_unique<PeersManagerController>();
    const QJsonObject answer = ScreenControllers::queryAndWait(m_devices.get());
    for (const QJsonValue &record : answer.value("records").toArray()) {
        if (record.toObject().value("recState").toString() == QLatin1String("recording"))
            m_cameras << record.toObject().value("rowID").toVariant().toLongLong();
    }
    QVERIFY2(m_cameras.size() >= 3, qPrintable(failureText(QStringLiteral("the remote installation streams fewer than three cameras"))));
}

void TstRemoteCameras::cleanupTestCase()
{
    m_first.reset();
    m_second.reset();
    m_peers.reset();
    m_devices.reset();
    if (m_serverLink) {
        LynClientBase::LynClientNetwork::setControllersLink({});
        m_serverLink->quit();
        m_serverLink->wait();
    }
    if (m_p2pLink) {
        m_p2pLink->quit();
        m_p2pLink->wait();
    }
    if (m_hostNamespace >= 0) {
        setns(m_hostNamespace, CLONE_NEWNET);
        close(m_hostNamespace);
        QDir::setCurrent(m_startDir);
    }
    m_remoteLab.stop();
}

void TstRemoteCameras::enterNamespace(const QString &role)
{
    m_hostNamespace = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    const int target = open(qPrintable(QStringLiteral("/run/netns/") + m_lab->name(role)), O_RDONLY | O_CLOEXEC);
    QVERIFY2(m_hostNamespace >= 0 && target >= 0, "cannot open the network namespaces");
    // Threads started after this (links, peers, players) inherit the namespace.
    const int entered = setns(target, CLONE_NEWNET);
    close(target);
    QVERIFY2(entered == 0, "cannot enter the client's network namespace");
}

QString TstRemoteCameras::failureText(const QString &what) const
{
    return m_remoteLab.failureText(what);
}

void TstRemoteCameras::twoRemoteCamerasPlayThroughPunchedPaths()
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    m_first = std::make_unique<RemoteTile>(*m_devices, *m_peers, m_cameras.at(0), QStringLiteral("remote-a"));
    m_second = std::make_unique<RemoteTile>(*m_devices, *m_peers, m_cameras.at(1), QStringLiteral("remote-b"));
    m_first->play();
    m_second->play();

    QVERIFY2(QTest::qWaitFor([this] { return m_first->frames() > 0 || m_second->frames() > 0; }, kVideoWait),
             qPrintable(failureText(QStringLiteral("no remote frame"))));
    const qint64 firstFrameMs = sinceStart.elapsed();
    QVERIFY2(QTest::qWaitFor([this] { return m_first->frames() >= 10 && m_second->frames() >= 10; }, kVideoWait),
             qPrintable(failureText(QStringLiteral("frames: %1 and %2").arg(m_first->frames()).arg(m_second->frames()))));
    QVERIFY(!m_first->unreachable() && !m_second->unreachable());
    // Each player receives on the port its peer punched, at its own address in the home network.
    QVERIFY(m_first->port() != 0 && m_second->port() != 0 && m_first->port() != m_second->port());
    QFile sdp(m_first->sdpPath());
    QVERIFY(sdp.open(QIODevice::ReadOnly));
    QVERIFY(sdp.readAll().startsWith(QStringLiteral("c=IN IP4 %1\nm=video %2 ").arg(kClientSite.hostIp).arg(m_first->port()).toUtf8()));

    // While both play on, next to nothing passes through the P2P server: the media goes around it.
    QVERIFY(m_p2pServer->waitForLine(QStringLiteral("traffic:"), kStartWait));
    const qint64 trafficBefore = trafficOf(*m_p2pServer);
    const unsigned framesBefore = m_first->frames() + m_second->frames();
    const qint64 bridgeBefore = cpuTicks(m_bridge->pid());
    QElapsedTimer window;
    window.start();
    QVERIFY(QTest::qWaitFor([&] { return m_first->frames() + m_second->frames() >= framesBefore + 100; }, kVideoWait));
    QTest::qWait(1500); // one more "traffic:" line covers the window
    const qint64 bridgeTicks = cpuTicks(m_bridge->pid()) - bridgeBefore;
    const qint64 relayed = trafficOf(*m_p2pServer) - trafficBefore;
    // 100 frames of H.264 at this size are far above 100 kB; the server carried signalling at most.
    QVERIFY2(relayed >= 0 && relayed < 16 * 1024, qPrintable(QStringLiteral("%1 bytes through the P2P server").arg(relayed)));

    const double seconds = window.elapsed() / 1000.0;
    qInfo("first remote frame %lld ms after the request; far side (bridge) CPU %.1f %% per stream over %.1f s; "
          "%lld bytes through the P2P server meanwhile",
          firstFrameMs, 100.0 * bridgeTicks / sysconf(_SC_CLK_TCK) / seconds / 2, seconds, relayed);
}

void TstRemoteCameras::stoppingATileStopsTheFarSideStream()
{
    QVERIFY(m_second && m_second->port() != 0);
    // The player lets the punched port go; the far side keeps sending into it.
    m_second->stopPlayer();
    QUdpSocket port;
    // The player lets it go in the background.
    QVERIFY(QTest::qWaitFor([&] { return port.bind(QHostAddress::AnyIPv4, m_second->port()); }, kStartWait));
    QElapsedTimer clock;
    clock.start();
    qint64 lastArrival = -1;
    int arrived = 0;
    connect(&port, &QUdpSocket::readyRead, this, [&] {
        while (port.hasPendingDatagrams())
            port.receiveDatagram();
        lastArrival = clock.elapsed();
        ++arrived;
    });
    QVERIFY2(QTest::qWaitFor([&] { return arrived >= 5; }, kStartWait), "the far side had stopped already");

    const qint64 stoppedAt = clock.elapsed();
    const unsigned firstFrames = m_first->frames();
    m_second->stop();
    QVERIFY2(QTest::qWaitFor([&] { return clock.elapsed() - lastArrival > 3000; }, kStartWait), "the far side kept sending");
    QVERIFY2(lastArrival - stoppedAt < 2000, qPrintable(QStringLiteral("packets came %1 ms after the stop").arg(lastArrival - stoppedAt)));
    QVERIFY(!m_bridge->lastLine(QStringLiteral("channel 'remote-b' for 'viewer' closed: stopped by the client")).isEmpty());
    // The other tile plays on.
    QVERIFY(QTest::qWaitFor([&] { return m_first->frames() >= firstFrames + 25; }, kVideoWait));
}

void TstRemoteCameras::symmetricRemoteNatEndsUnreachableAndRetryPlays()
{
    QVERIFY(m_first);
    QVERIFY2(m_lab->setSymmetric(kRemoteSite, true), qPrintable(m_lab->lastError()));
    RemoteTile third(*m_devices, *m_peers, m_cameras.at(2), QStringLiteral("remote-c"));
    QSignalSpy unreachable(m_peers.get(), &PeersManagerController::remoteStreamUnreachable);
    third.play();
    // Bounded: the deadline plus the time the event loop may lag on this machine.
    QVERIFY2(QTest::qWaitFor([&] { return third.unreachable(); }, PeersManagerController::kRemoteStreamDeadlineMs + 15000),
             qPrintable(failureText(QStringLiteral("no verdict"))));
    QCOMPARE(third.unreachableText(), QStringLiteral("Remote camera unreachable"));
    QCOMPARE(unreachable.count(), 1);
    QCOMPARE(third.frames(), 0u);
    // Its peers are gone, so a retry starts over; the far side gave up by itself too.
    QVERIFY(m_peers->peerByStreamKeyAndPortType("remote-c", "rtp").isEmpty());
    QVERIFY(m_bridge->waitForLine(QStringLiteral("channel 'remote-c' for 'viewer' closed: no punched path"), kStartWait));

    // The link and the other tile stayed up.
    const unsigned firstFrames = m_first->frames();
    QVERIFY(QTest::qWaitFor([&] { return m_first->frames() >= firstFrames + 25; }, kVideoWait));
    QVERIFY(!ScreenControllers::queryAndWait(m_devices.get()).value("records").toArray().isEmpty());

    // A router that maps ports sensibly again lets the retry through.
    QVERIFY2(m_lab->setSymmetric(kRemoteSite, false), qPrintable(m_lab->lastError()));
    third.play();
    QVERIFY2(QTest::qWaitFor([&] { return third.frames() >= 10; }, kVideoWait), qPrintable(failureText(QStringLiteral("retry did not play"))));
    QVERIFY(!third.unreachable());
    third.stop();
}

QTEST_MAIN(TstRemoteCameras)
#include "tst_remote_cameras.moc"
