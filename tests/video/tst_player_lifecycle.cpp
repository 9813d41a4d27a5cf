// Players on live RTP streams that die: stall detection, and stopping or
// destroying them without the GUI thread waiting for libvlc.
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <QUdpSocket>
#include <QtTest>

#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcReceiveBacklog.h"
#include "QmlVlcVideoSurface.h"
#include "EventLoopGap.h"
#include "QmlVlcAudio.h"
#include "QmlVlcInput.h"
#include "QmlVlcSubtitle.h"
#include "QmlVlcVideo.h"
#include "QmlVlcVideoOutput.h"
#include "RtpSender.h"
#include "TestMedia.h"
#include "TimeBudget.h"
#include "vlc/command_queue.h"

namespace {
constexpr int streamWaitMs = 20000;
// libvlc needs several seconds to stop an input whose stream died, and up to
// three quarters of a minute when several stop at once on a busy machine.
constexpr int deadStopWaitMs = 60000;

// Notes the thread on which libvlc reports Stopped.
class StopWatcher : public vlc::media_player_events_callback
{
public:
    void media_player_event(const libvlc_event_t* event) override
    {
        if (event->type == libvlc_MediaPlayerStopped)
            stoppedOn = std::this_thread::get_id();
    }
    std::atomic<std::thread::id> stoppedOn{};
};

// A player on its own live stream, shown by one surface.
struct LiveTile
{
    RtpSender sender;
    QString sdp;
    std::unique_ptr<QmlVlcPlayer> player;
    QmlVlcVideoSurface surface;

    bool start(TestMedia& media, const QString& clip, int index)
    {
        sdp = media.path(QStringLiteral("tile-%1.sdp").arg(index));
        if (!sender.start(clip, sdp)
            || !QTest::qWaitFor([this] { return QFileInfo(sdp).size() > 0; }, streamWaitMs))
            return false;
        player = std::make_unique<QmlVlcPlayer>();
        player->classBegin();
        surface.setSource(player.get());
        player->play(QStringLiteral("file://") + sdp);
        return true;
    }
};
} // namespace

class TestPlayerLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void stopRunsOnTheWorker();
    void deadStreamStallsAndStopsWithoutWaiting();
    void stillPictureIsNoStall();
    void destroyingDeadPlayersReturnsAtOnce();
    void shutdownWithSixteenDeadPlayers();
    void oddLiveStreamReportsItsVisibleSize();
    void settersWaitForNothingOnADeadStream();
    void receiveBacklogIsFoundOnTheStreamsPort();

private:
    TestMedia m_media;
    QString m_clip;
};

void TestPlayerLifecycle::initTestCase()
{
    QmlVlc::registerTypes();
    QmlVlcConfig& config = QmlVlcConfig::instance();
    config.setNetworkCacheTime(200);
    config.enableHardwareAcceleration(true);
    QVERIFY(m_media.isValid());
    m_clip = m_media.clip(QStringLiteral("live.mp4"), QSize(320, 180), 10);
    QVERIFY(!m_clip.isEmpty());
}

void TestPlayerLifecycle::stopRunsOnTheWorker()
{
    LiveTile tile;
    QVERIFY(tile.start(m_media, m_clip, 0));
    QTRY_VERIFY_WITH_TIMEOUT(tile.surface.currentFrame(), streamWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(tile.player->state(), QmlVlcPlayerProxy::Playing, streamWaitMs);

    StopWatcher watcher;
    tile.player->player().register_callback(&watcher);
    QList<QmlVlcPlayerProxy::State> states;
    connect(tile.player.get(), &QmlVlcPlayerProxy::stateChanged, this,
            [&states](QmlVlcPlayerProxy::State state) { states << state; });
    tile.player->stop();
    QCOMPARE(tile.player->state(), QmlVlcPlayerProxy::Stopping);
    QCOMPARE(states.count(), 1);
    QVERIFY(!tile.surface.currentFrame());
    QTRY_COMPARE_WITH_TIMEOUT(tile.player->state(), QmlVlcPlayerProxy::Stopped, streamWaitMs);
    QCOMPARE(states.first(), QmlVlcPlayerProxy::Stopping);
    QVERIFY(states.contains(QmlVlcPlayerProxy::Stopped));
    QVERIFY(watcher.stoppedOn.load() != std::thread::id());
    QVERIFY(watcher.stoppedOn.load() != std::this_thread::get_id());
    tile.player->player().unregister_callback(&watcher);

    // Stopping what is already stopped leaves the state alone.
    tile.player->stop();
    QCOMPARE(tile.player->state(), QmlVlcPlayerProxy::Stopped);
}

void TestPlayerLifecycle::deadStreamStallsAndStopsWithoutWaiting()
{
    LiveTile tile;
    QVERIFY(tile.start(m_media, m_clip, 1));
    QmlVlcPlayer& player = *tile.player;
    QSignalSpy stalled(&player, &QmlVlcPlayerProxy::stalledChanged);
    QSignalSpy sizes(&player, &QmlVlcPlayerProxy::frameSizeChanged);
    QCOMPARE(player.stallTimeout(), QmlVlcPlayerProxy::defaultStallTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(tile.surface.currentFrame(), streamWaitMs);
    QCOMPARE(player.frameSize(), QSize(320, 180));
    QCOMPARE(sizes.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(player.frameRate() > 20 && player.frameRate() < 30, streamWaitMs);
    QVERIFY(player.frameAge() < player.stallTimeout());
    QVERIFY(!player.stalled());

    tile.sender.stop();
    QTRY_VERIFY_WITH_TIMEOUT(player.stalled(), streamWaitMs);
    QCOMPARE(stalled.count(), 1);
    QVERIFY(player.frameAge() >= player.stallTimeout());
    // libvlc itself notices nothing.
    QCOMPARE(player.state(), QmlVlcPlayerProxy::Playing);
    QVERIFY(tile.surface.currentFrame());

    bool loopRan = false;
    QTimer::singleShot(0, this, [&loopRan] { loopRan = true; });
    const unsigned framesAtStop = player.videoOutput().displayedFrames();
    player.stop();
    QCOMPARE(player.state(), QmlVlcPlayerProxy::Stopping);
    QVERIFY(!player.stalled());
    QCOMPARE(stalled.count(), 2);
    QTRY_VERIFY(loopRan);
    // The event loop ran while libvlc was still stopping the dead input.
    QVERIFY(player.player().busy());
    QTRY_COMPARE_WITH_TIMEOUT(player.state(), QmlVlcPlayerProxy::Stopped, deadStopWaitMs);
    QVERIFY(!player.stalled());
    // What the dying input showed again while it stopped is no new picture.
    QCOMPARE(player.videoOutput().displayedFrames(), framesAtStop);
    QVERIFY(!tile.surface.currentFrame());
}

// A camera on a still scene sends pictures that libvlc shows like its own
// repeats of the last one: not a stall, until the stream is cut.
void TestPlayerLifecycle::stillPictureIsNoStall()
{
    const QString clip = m_media.stillClip(QStringLiteral("still.mp4"), QSize(320, 180), 10);
    QVERIFY(!clip.isEmpty());
    LiveTile tile;
    QVERIFY(tile.start(m_media, clip, 2));
    QmlVlcPlayer& player = *tile.player;
    QTRY_VERIFY_WITH_TIMEOUT(tile.surface.currentFrame(), streamWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(player.state(), QmlVlcPlayerProxy::Playing, streamWaitMs);
    QVERIFY(!player.stalled());

    constexpr qint64 watchMs = 10000;
    const unsigned sinkFrames = player.videoOutput().displayedFrames();
    QElapsedTimer watched;
    watched.start();
    QVERIFY(QTest::qWaitFor([&] { return player.stalled() || watched.elapsed() >= watchMs; }, timeBudget(60000)));
    QVERIFY2(!player.stalled(), qPrintable(QStringLiteral("stalled after %1 ms").arg(watched.elapsed())));
    QVERIFY(player.frameAge() < player.stallTimeout());
    // The picture did not change: few of its frames were new to the sink.
    QVERIFY(player.videoOutput().displayedFrames() - sinkFrames < 25);

    QElapsedTimer sinceCut;
    sinceCut.start();
    tile.sender.die();
    QTRY_VERIFY_WITH_TIMEOUT(player.stalled(), streamWaitMs);
    QVERIFY(player.frameAge() >= player.stallTimeout());
    // libvlc's count lags the pictures by at most a second.
    QVERIFY2(sinceCut.elapsed() < timeBudget(player.stallTimeout() + 3000),
             qPrintable(QStringLiteral("stalled %1 ms after the cut").arg(sinceCut.elapsed())));
}

void TestPlayerLifecycle::destroyingDeadPlayersReturnsAtOnce()
{
    constexpr int tileCount = 4;
    std::vector<std::unique_ptr<LiveTile>> tiles;
    for (int i = 0; i < tileCount; ++i) {
        tiles.push_back(std::make_unique<LiveTile>());
        QVERIFY(tiles.back()->start(m_media, m_clip, 10 + i));
    }
    for (const auto& tile : tiles)
        QTRY_VERIFY_WITH_TIMEOUT(tile->surface.currentFrame(), streamWaitMs);
    for (const auto& tile : tiles)
        tile->sender.stop();
    for (const auto& tile : tiles)
        QTRY_VERIFY_WITH_TIMEOUT(tile->player->stalled(), streamWaitMs);

    QCOMPARE(vlc::command_queue::lingering(), 0);
    for (const auto& tile : tiles)
        tile->player.reset();
    // Every release still runs in the background, yet the players are gone
    // and the surfaces keep their last picture.
    QCOMPARE(vlc::command_queue::lingering(), tileCount);
    for (const auto& tile : tiles) {
        QVERIFY(!tile->surface.source());
        QVERIFY(tile->surface.currentFrame());
    }
    QTRY_COMPARE_WITH_TIMEOUT(vlc::command_queue::lingering(), 0, deadStopWaitMs);
    QVERIFY(vlc::command_queue::wait_for_all(std::chrono::milliseconds(deadStopWaitMs)));
}

void TestPlayerLifecycle::shutdownWithSixteenDeadPlayers()
{
    constexpr int tileCount = 16;
    std::vector<std::unique_ptr<RtpSender>> senders;
    QStringList sdps;
    for (int i = 0; i < tileCount; ++i) {
        senders.push_back(std::make_unique<RtpSender>());
        sdps << m_media.path(QStringLiteral("shutdown-%1.sdp").arg(i));
        QVERIFY(senders.back()->start(m_clip, sdps.last()));
    }
    for (const QString& sdp : qAsConst(sdps))
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(sdp).size() > 0, streamWaitMs);

    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QByteArray said;
    connect(&probe, &QProcess::readyReadStandardOutput, this, [&] { said += probe.readAllStandardOutput(); });
    probe.start(QStringLiteral(DEAD_PLAYERS_PROBE), sdps);
    QVERIFY(probe.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(said.contains("showing\n") || probe.state() == QProcess::NotRunning, 3 * streamWaitMs);
    QVERIFY2(said.contains("showing\n"), said.constData());
    for (const auto& sender : senders)
        sender->die();

    QTRY_VERIFY_WITH_TIMEOUT(said.contains("lingering=") && said.endsWith('\n') || probe.state() == QProcess::NotRunning,
                             2 * streamWaitMs);
    QElapsedTimer shutdown;
    shutdown.start();
    const QRegularExpressionMatch figures =
        QRegularExpression(QStringLiteral("gap=(\\d+) destroy=(\\d+) lingering=(\\d+)")).match(QString::fromUtf8(said));
    QVERIFY2(figures.hasMatch(), said.constData());
    QTRY_VERIFY_WITH_TIMEOUT(probe.state() == QProcess::NotRunning, deadStopWaitMs);
    const qint64 shutdownMs = shutdown.elapsed();
    qInfo("16 dead players: destroying took %s ms, longest event-loop gap %s ms, shutdown %lld ms",
          qPrintable(figures.captured(2)), qPrintable(figures.captured(1)), static_cast<long long>(shutdownMs));
    // Their releases were still stuck in libvlc: a GUI that had waited for them would have stalled for seconds.
    QVERIFY2(figures.captured(3).toInt() > 0, qPrintable(figures.captured(3)));
    QVERIFY2(figures.captured(1).toInt() < 500, qPrintable(figures.captured(1)));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QVERIFY2(shutdownMs < timeBudget(3000), qPrintable(QString::number(shutdownMs)));
}

void TestPlayerLifecycle::oddLiveStreamReportsItsVisibleSize()
{
    const QString clip = m_media.oddClip(QStringLiteral("odd-live.mkv"), QSize(641, 361), 10);
    QVERIFY(!clip.isEmpty());
    LiveTile tile;
    QVERIFY(tile.start(m_media, clip, 40));
    QList<QSize> sizes;
    connect(tile.player.get(), &QmlVlcPlayerProxy::frameSizeChanged, this,
            [&] { sizes << tile.player->frameSize(); });
    QTRY_VERIFY_WITH_TIMEOUT(tile.player->videoOutput().displayedFrames() > 10, streamWaitMs);
    // From the very first picture on: the stream's own size, not the decoder's padded one.
    QCOMPARE(sizes, QList<QSize>{QSize(641, 361)});
    const auto frame = tile.surface.currentFrame();
    QVERIFY(frame);
    QCOMPARE(int(frame->visibleWidth), 641);
    QCOMPARE(int(frame->visibleHeight), 361);
    QCOMPARE(int(frame->width), 642);
    QCOMPARE(int(frame->height), 362);
}

void TestPlayerLifecycle::settersWaitForNothingOnADeadStream()
{
    LiveTile tile;
    QVERIFY(tile.start(m_media, m_clip, 50));
    QmlVlcPlayer& player = *tile.player;
    QTRY_VERIFY_WITH_TIMEOUT(player.frameRate() > 20, streamWaitMs);
    tile.sender.die();
    QTRY_VERIFY_WITH_TIMEOUT(player.stalled(), streamWaitMs);

    // The worker now spends seconds stopping the dead input; every setter
    // after it must return at once, answer with the value asked for, and
    // reach libvlc in order once the stop is done.
    player.stop();
    QVERIFY(player.player().busy());
    EventLoopGap gap;
    gap.start();
    QElapsedTimer calls;
    calls.start();
    player.setVolume(37);
    player.mute();
    player.setPosition(0.5);
    player.setTime(1000);
    player.input()->setRate(1.5);
    player.subtitle()->setDelay(250);
    player.audio()->setDelay(120);
    player.video()->setAspectRatio(QStringLiteral("16:9"));
    const qint64 callsMs = calls.elapsed();
    QVERIFY(player.player().busy());
    QCOMPARE(player.volume(), 37u);
    QVERIFY(player.audio()->mute());
    QCOMPARE(player.input()->rate(), 1.5);
    QCOMPARE(player.subtitle()->delay(), 250);
    QCOMPARE(player.audio()->delay(), 120);
    QVERIFY2(callsMs < 200, qPrintable(QString::number(callsMs)));
    bool loopRan = false;
    QTimer::singleShot(0, this, [&loopRan] { loopRan = true; });
    QTRY_VERIFY(loopRan);
    QVERIFY(player.player().busy());
    gap.stop();
    QVERIFY2(gap.longestMs() < 500, qPrintable(QString::number(gap.longestMs())));

    QTRY_VERIFY_WITH_TIMEOUT(!player.player().busy(), deadStopWaitMs);
    QCOMPARE(player.volume(), 37u);
    QVERIFY(player.audio()->mute());
    QCOMPARE(libvlc_media_player_get_rate(player.player().get_mp()), 1.5f);
}


// What a live player reads to know it fell behind: the port of its stream and
// the bytes left unread there.
void TestPlayerLifecycle::receiveBacklogIsFoundOnTheStreamsPort()
{
    RtpSender sender;
    const QString sdp = m_media.path(QStringLiteral("backlog.sdp"));
    QVERIFY(sender.start(m_clip, sdp));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(sdp).size() > 0, streamWaitMs);
    QCOMPARE(QmlVlcReceiveBacklog::videoPort(QStringLiteral("file://") + sdp), sender.port());
    QCOMPARE(QmlVlcReceiveBacklog::videoPort(QStringLiteral("rtp://@:5004")), quint16(5004));
    QCOMPARE(QmlVlcReceiveBacklog::videoPort(QStringLiteral("file://") + m_clip), quint16(0));
    QFile hostile(m_media.path(QStringLiteral("hostile.sdp")));
    QVERIFY(hostile.open(QIODevice::WriteOnly));
    hostile.write("v=0\nm=audio 4000 RTP/AVP 0\nm=video 99999 RTP/AVP 96\n");
    hostile.close();
    QCOMPARE(QmlVlcReceiveBacklog::videoPort(QStringLiteral("file://") + hostile.fileName()), quint16(0));
#ifndef Q_OS_LINUX
    QSKIP("The receive queue is read on Linux only");
#endif
    QUdpSocket receiver;
    QVERIFY(receiver.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 port = receiver.localPort();
    QUdpSocket source;
    const QByteArray packet(4000, 'x');
    for (int i = 0; i < 8; ++i)
        QCOMPARE(source.writeDatagram(packet, QHostAddress::LocalHost, port), qint64(packet.size()));
    QTRY_VERIFY_WITH_TIMEOUT(QmlVlcReceiveBacklog::queuedBytes(port) >= 8 * packet.size(), 5000);
    QCOMPARE(QmlVlcReceiveBacklog::queuedBytes(quint16(port + 1)), qint64(0));
    QByteArray buffer(packet.size(), Qt::Uninitialized);
    int read = 0;
    while (read < 8 && (receiver.hasPendingDatagrams() || receiver.waitForReadyRead(5000)))
        read += receiver.readDatagram(buffer.data(), buffer.size()) == packet.size() ? 1 : 0;
    QCOMPARE(read, 8);
    QTRY_COMPARE_WITH_TIMEOUT(QmlVlcReceiveBacklog::queuedBytes(port), qint64(0), 5000);
}

QTEST_MAIN(TestPlayerLifecycle)
#include "tst_player_lifecycle.moc"
