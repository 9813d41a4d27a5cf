// Players on live RTP streams that die: stall detection, and stopping or
// destroying them without the GUI thread waiting for libvlc.
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <QtTest>

#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"
#include "RtpSender.h"
#include "TestMedia.h"
#include "vlc/command_queue.h"

namespace {
constexpr int streamWaitMs = 20000;
// libvlc needs several seconds to stop an input whose stream died.
constexpr int deadStopWaitMs = 30000;

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
    void destroyingDeadPlayersReturnsAtOnce();

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
    player.stop();
    QCOMPARE(player.state(), QmlVlcPlayerProxy::Stopping);
    QVERIFY(!player.stalled());
    QCOMPARE(stalled.count(), 2);
    QTRY_VERIFY(loopRan);
    // The event loop ran while libvlc was still stopping the dead input.
    QVERIFY(player.player().busy());
    QTRY_COMPARE_WITH_TIMEOUT(player.state(), QmlVlcPlayerProxy::Stopped, deadStopWaitMs);
    QVERIFY(!player.stalled());
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

QTEST_MAIN(TestPlayerLifecycle)
#include "tst_player_lifecycle.moc"
