// The started client's desktop in P2P mode across the two NATs of RemoteLab,
// as a user sees it. The executable runs twice: as the lab on the host, which
// builds the networks and stand-ins, and, started by the lab inside the
// client's network, as the client with its real window. The client asks the
// lab to change router B with a "lab: request N ..." line on its output and
// waits for the lab's answer file "reply-N".
#include "MainLogFile.h"
#include "RemoteLab.h"
#include "UiTestSupport.h"

#include "base/SettingsSimple.h"
#include "client_base/controller/peers/PeersManagerBaseController.h"
#include "shell/ClientStartup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QNetworkDatagram>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <cstdio>

using namespace UiTestSupport;

namespace {

constexpr char kLabDirVariable[] = "LYN_REMOTE_LAB_DIR";
constexpr int kVideoWait = 60000;
constexpr int kClientWait = 280000;

QString lastLineOf(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines.at(i).contains(text))
            return lines.at(i);
    }
    return QString();
}

} // namespace

// The host side: the lab, and the client run inside it.
class TstRemoteDesktopLab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { m_lab.stop(); }
    void clientDesktopPlaysRemoteCameras();

private:
    QTemporaryDir m_dir;
    RemoteLab m_lab;
};

void TstRemoteDesktopLab::initTestCase()
{
    const QString reason = NetnsLab::unavailableReason();
    if (!reason.isEmpty())
        QSKIP(qPrintable(QStringLiteral("cannot simulate the two NATs on this machine: %1").arg(reason)));
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("the client's window needs an X server (run under xvfb-run)");
    QVERIFY(m_dir.isValid());
    const QString failed = m_lab.start(m_dir.path());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
}

void TstRemoteDesktopLab::clientDesktopPlaysRemoteCameras()
{
    qputenv(kLabDirVariable, m_dir.path().toUtf8());
    qputenv("LYN_REMOTE_P2P_LOG", m_lab.p2pLogPath().toUtf8());
    qputenv("LYN_REMOTE_BRIDGE_LOG", m_lab.bridgeLogPath().toUtf8());
    LabProcess client(QStringLiteral("client"));
    client.start(m_lab.lab(), RemoteLab::kClientSite.lan, {QCoreApplication::applicationFilePath()}, m_dir.path());
    int request = 1;
    const bool ended = QTest::qWaitFor([&] {
        const QString line = client.lastLine(QStringLiteral("lab: request %1 ").arg(request));
        if (!line.isEmpty()) {
            QFile reply(m_dir.filePath(QStringLiteral("reply-%1").arg(request)));
            const bool done = line.endsWith(QLatin1String("restart bridge"))
                                  ? m_lab.restartBridge().isEmpty()
                                  : m_lab.lab().setSymmetric(RemoteLab::kRemoteSite, line.endsWith(QLatin1String("symmetric on")));
            if (done && reply.open(QIODevice::WriteOnly))
                reply.write("done");
            ++request;
        }
        return !client.running();
    }, kClientWait);
    // The client's verdicts and figures, without its debug chatter.
    QStringList report;
    for (const QString &line : client.tail(1000000).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("QDEBUG")) && !line.startsWith(QLatin1Char('[')))
            report << line;
    }
    if (!ended || client.exitCode() != 0) {
        for (const QString &clientDir : QDir(m_dir.path()).entryList({QStringLiteral("client-*")}, QDir::Dirs))
            report << mainLogWarnings(m_dir.filePath(clientDir));
    }
    const QString output = report.join(QLatin1Char('\n'));
    // Printed whole before any verdict: a failure message is cut short.
    std::printf("%s\n", qPrintable(output));
    QVERIFY2(ended, qPrintable(m_lab.failureText(QStringLiteral("the client did not finish"))));
    QVERIFY2(client.exitCode() == 0, qPrintable(m_lab.failureText(QStringLiteral("the client failed"))));
}

// The client side: its real window in P2P mode.
class TstRemoteDesktop : public QObject
{
    Q_OBJECT
public:
    explicit TstRemoteDesktop(LynClient::ClientStartup &startup)
        : m_startup(startup)
    {
    }

private slots:
    void initTestCase();
    void twoRemoteTilesShowMovingVideoAroundTheP2pServer();
    void stoppingARemoteTileStopsTheFarSideWithinTwoSeconds();
    void symmetricRemoteRouterEndsUnreachableAndRetryPlays();
    void tileComesBackAfterTheFarSideStoppedSending();

private:
    QQuickItem *tile(int index) const { return item(m_window, QStringLiteral("tile_%1Content").arg(index)); }
    QObject *streamOf(int index) const;
    QString statusCode(int index) const;
    QString statusText(int index) const;
    QImage tilePicture(const QImage &grab, int index) const;
    bool askLab(const QString &what);

    LynClient::ClientStartup &m_startup;
    QQuickWindow *m_window = nullptr;
    QElapsedTimer m_sinceWindow;
    int m_requests = 0;
};

QObject *TstRemoteDesktop::streamOf(int index) const
{
    QQuickItem *holder = tile(index);
    return holder ? holder->property("stream").value<QObject *>() : nullptr;
}

QString TstRemoteDesktop::statusCode(int index) const
{
    QObject *stream = streamOf(index);
    return stream ? stream->property("status").toString() : QStringLiteral("no stream");
}

QString TstRemoteDesktop::statusText(int index) const
{
    QQuickItem *label = item(m_window, QStringLiteral("tile_%1ContentPlayerStatus").arg(index));
    return label && label->isVisible() ? label->property("text").toString() : QString();
}

// The middle of a tile, clear of its badges, in window pixels.
QImage TstRemoteDesktop::tilePicture(const QImage &grab, int index) const
{
    QQuickItem *target = tile(index);
    const QRectF scene(target->mapToScene(QPointF(0, 0)), QSizeF(target->width(), target->height()));
    const QRect rect = QRectF(scene.topLeft() * m_window->devicePixelRatio(), scene.size() * m_window->devicePixelRatio()).toAlignedRect();
    return grab.copy(rect.adjusted(rect.width() / 6, rect.height() / 5, -rect.width() / 6, -rect.height() / 5));
}

bool TstRemoteDesktop::askLab(const QString &what)
{
    ++m_requests;
    std::printf("lab: request %d %s\n", m_requests, qPrintable(what));
    std::fflush(stdout);
    const QString reply = qEnvironmentVariable(kLabDirVariable) + QStringLiteral("/reply-%1").arg(m_requests);
    return QTest::qWaitFor([&] { return QFile::exists(reply); }, RemoteLab::kStartWait);
}

void TstRemoteDesktop::initTestCase()
{
    QVERIFY(m_startup.loadWindow());
    m_window = qobject_cast<QQuickWindow *>(m_startup.engine()->rootObjects().first());
    QVERIFY(m_window && QTest::qWaitForWindowExposed(m_window));
    m_sinceWindow.start();
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "tileGrid") && item(m_window, "tileGrid")->isVisible(), 30000);
}

void TstRemoteDesktop::twoRemoteTilesShowMovingVideoAroundTheP2pServer()
{
    // The device list arrives through the relay once the client has signed up and logged in.
    QTRY_VERIFY_WITH_TIMEOUT(streamOf(0) && streamOf(0)->property("status").toString() != QLatin1String("stopped"), kVideoWait);
    const qint64 devicesMs = m_sinceWindow.elapsed();
    // The events come through the relay too: asked once logged in, not lost before it.
    QTRY_VERIFY_WITH_TIMEOUT(item(m_window, "eventsTableView") && item(m_window, "eventsTableView")->property("count").toInt() > 0,
                             kVideoWait);
    QTRY_VERIFY_WITH_TIMEOUT(statusCode(0) == QLatin1String("live") || statusCode(1) == QLatin1String("live"), kVideoWait);
    const qint64 firstFrameMs = m_sinceWindow.elapsed();
    for (int i = 0; i < 2; ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(statusCode(i), QStringLiteral("live"), kVideoWait);
        QVERIFY(item(m_window, QStringLiteral("tile_%1ContentRemoteBadge").arg(i))->isVisible());
        QVERIFY(!item(m_window, QStringLiteral("tile_%1ContentRetryButton").arg(i))->isVisible());
    }

    // The media goes around the P2P server: over a few seconds of two moving
    // pictures it carries signalling at most.
    const QString p2pLog = qEnvironmentVariable("LYN_REMOTE_P2P_LOG");
    const qint64 before = relayedBytes(lastLineOf(p2pLog, QStringLiteral("traffic:")));
    const QImage first = m_window->grabWindow();
    QElapsedTimer window;
    window.start();
    bool moved[2] = {false, false};
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
        const QImage now = m_window->grabWindow();
        for (int i = 0; i < 2; ++i)
            moved[i] = moved[i] || meanDifference(tilePicture(first, i), tilePicture(now, i)) > 1.0;
        return moved[0] && moved[1] && window.elapsed() > 5000;
    }()), kVideoWait);
    // The server writes its count every second.
    QTest::qWait(1500);
    const qint64 after = relayedBytes(lastLineOf(p2pLog, QStringLiteral("traffic:")));
    QVERIFY2(after >= 0, "the P2P server reports no traffic");
    const qint64 relayed = after - qMax<qint64>(before, 0);
    QVERIFY2(relayed < 16 * 1024, qPrintable(QStringLiteral("%1 bytes through the P2P server").arg(relayed)));
    // A tile that lagged and restarted meanwhile is live again by itself.
    for (int i = 0; i < 2; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(statusCode(i), QStringLiteral("live"), kVideoWait);
    saveScreenshot(m_window, QStringLiteral("remote_desktop"));
    std::printf("devices %lld ms and first remote frame %lld ms after the window opened; %lld bytes through the P2P server in %.1f s\n",
                devicesMs, firstFrameMs, relayed, window.elapsed() / 1000.0);
}

void TstRemoteDesktop::stoppingARemoteTileStopsTheFarSideWithinTwoSeconds()
{
    QObject *stream = streamOf(1);
    QVERIFY(stream);
    const QString key = stream->property("streamKey").toString();
    QFile sdp(stream->property("receiverPath").toString());
    QVERIFY(sdp.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch port = QRegularExpression(QStringLiteral("m=video (\\d+) ")).match(QString::fromUtf8(sdp.readAll()));
    QVERIFY(port.hasMatch());

    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(stream, "stop"));
    QCOMPARE(statusCode(1), QStringLiteral("stopped"));
    // Once the player lets the punched port go, whatever still arrives there is the far side still sending.
    QUdpSocket socket;
    QVERIFY(QTest::qWaitFor([&] { return socket.bind(QHostAddress::AnyIPv4, port.captured(1).toUShort()); }, RemoteLab::kStartWait));
    qint64 lastArrival = -1;
    connect(&socket, &QUdpSocket::readyRead, this, [&] {
        while (socket.hasPendingDatagrams())
            socket.receiveDatagram();
        lastArrival = clock.elapsed();
    });
    QVERIFY(QTest::qWaitFor([&] { return clock.elapsed() - qMax<qint64>(lastArrival, 0) > 3000; }, RemoteLab::kStartWait));
    QVERIFY2(lastArrival < 2000, qPrintable(QStringLiteral("packets came %1 ms after the stop").arg(lastArrival)));
    const QString closed = QStringLiteral("channel '%1' for '").arg(key);
    QVERIFY(lastLineOf(qEnvironmentVariable("LYN_REMOTE_BRIDGE_LOG"), closed).endsWith(QLatin1String("closed: stopped by the client")));
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("live"), kVideoWait);
}

void TstRemoteDesktop::symmetricRemoteRouterEndsUnreachableAndRetryPlays()
{
    QObject *stream = streamOf(1);
    QVERIFY(stream);
    QVERIFY(askLab(QStringLiteral("symmetric on")));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(stream, "start"));
    // Bounded: the deadline plus the time the event loop may lag on this machine.
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(1), QStringLiteral("unreachable"),
                              P2pClientController::PeersManagerBaseController::kRemoteStreamDeadlineMs + 15000);
    std::printf("unreachable after %lld ms\n", clock.elapsed());
    QCOMPARE(statusText(1), QStringLiteral("Remote camera unreachable"));
    QTRY_VERIFY(item(m_window, "tile_1ContentRetryButton")->isVisible());
    // It stays so: nothing spins on.
    QTest::qWait(3000);
    QCOMPARE(statusCode(1), QStringLiteral("unreachable"));

    // The link and the other tile stayed up.
    QCOMPARE(shownText(item(m_window, "connectionStateLabel")), QStringLiteral("Connected"));
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("live"), kVideoWait);

    // With a router that maps ports sensibly again, the user's retry plays.
    QVERIFY(askLab(QStringLiteral("symmetric off")));
    QVERIFY(click(m_window, QStringLiteral("tile_1ContentRetryButton")));
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(1), QStringLiteral("live"), kVideoWait);
    QVERIFY(!item(m_window, "tile_1ContentRetryButton")->isVisible());
}

void TstRemoteDesktop::tileComesBackAfterTheFarSideStoppedSending()
{
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("live"), kVideoWait);
    // The remote installation goes away with its streams and comes back; the
    // punched path it sent through is gone, so only a new channel brings pictures.
    QVERIFY(askLab(QStringLiteral("restart bridge")));
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(statusCode(0), QStringLiteral("noSignal"), kVideoWait);
    for (int i = 0; i < 2; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(statusCode(i), QStringLiteral("live"), 2 * kVideoWait);
    std::printf("both tiles live again %lld ms after the far side came back\n", clock.elapsed());
    QCOMPARE(shownText(item(m_window, "connectionStateLabel")), QStringLiteral("Connected"));
}

int main(int argc, char *argv[])
{
    const QString labDir = qEnvironmentVariable(kLabDirVariable);
    if (labDir.isEmpty()) {
        QCoreApplication app(argc, argv);
        TstRemoteDesktopLab lab;
        return QTest::qExec(&lab, argc, argv);
    }
    // Inside the lab: a fresh client that signs up and opens in P2P mode. Its
    // folder stays for the lab, which shows the client's warnings on a failure.
    QTemporaryDir dir(labDir + QStringLiteral("/client-XXXXXX"));
    dir.setAutoRemove(false);
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    QFile conf(dir.filePath(QStringLiteral("main.conf")));
    if (!conf.open(QIODevice::WriteOnly))
        return 1;
    conf.write(QStringLiteral("[P2pServer]\nenabled=yes\nip=%1\nport=%2\n\n[P2pClient]\nremoteSign=home\n")
                   .arg(RemoteLab::kPublicIp, RemoteLab::kP2pPort).toUtf8());
    conf.close();
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    LynClient::ClientStartup startup(argc, argv);
    TstRemoteDesktop test(startup);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_remote_desktop.moc"
