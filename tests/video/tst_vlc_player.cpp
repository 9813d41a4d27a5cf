// The libvlc wrapper against a real libvlc instance and real media.
#include <algorithm>
#include <mutex>
#include <vector>

#include <QtTest>

#include "vlc/command_queue.h"

#include "TestMedia.h"
#include "vlc/media_list_player.h"
#include "vlc/player.h"

namespace {
constexpr int waitMs = 15000;

struct RecordingListener : vlc::media_player_events_callback
{
    void media_player_event(const libvlc_event_t* event) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        types.push_back(event->type);
    }
    int count(int type)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return static_cast<int>(std::count(types.begin(), types.end(), type));
    }
    int total()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return static_cast<int>(types.size());
    }
    std::mutex mutex;
    std::vector<int> types;
};
} // namespace

class TestVlcPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void newPlayerIsEmpty();
    void playWithoutPlaylistPlaysLoadedMedia();
    void playlistLimit();
    void nextAndPrevFollowModes();
    void disabledItemsAreSkipped();
    void deleteMovesCurrentIndex();
    void deleteCurrentWhilePlayingStartsNext();
    void deleteCurrentWhilePausedOnlyMovesIndex();
    void moveItemFollowsCurrent();
    void trackIndexMappingAndDelays();
    void closedPlayerReadsNeutralValues();
    void mediaListPlayer();
    void eventsAttachWithListeners();

private:
    void fillPlaylist(vlc::playlist_player_core& player, int count);

    TestMedia m_media;
    libvlc_instance_t* m_libvlc = nullptr;
    QStringList m_clips;
};

void TestVlcPlayer::initTestCase()
{
    QVERIFY(m_media.isValid());
    for (int i = 0; i < 3; ++i) {
        const QString clip = m_media.clip(QStringLiteral("clip%1.mp4").arg(i), QSize(160, 120), 8);
        QVERIFY2(!clip.isEmpty(), "ffmpeg could not make a clip");
        m_clips << TestMedia::fileUrl(clip);
    }
    // No window, no sound, no screensaver inhibitor and no probing of
    // hardware decoders: the wrapper is what is tested here.
    const char* args[] = {"--vout=dummy", "--aout=adummy", "--no-video-title-show", "--no-disable-screensaver",
                          "--avcodec-hw=none"};
    m_libvlc = libvlc_new(5, args);
    QVERIFY(m_libvlc);
}

void TestVlcPlayer::cleanupTestCase()
{
    // Destroyed players release their libvlc players on their workers.
    QVERIFY(vlc::command_queue::wait_for_all(std::chrono::milliseconds(30000)));
    if (m_libvlc)
        libvlc_release(m_libvlc);
}

void TestVlcPlayer::fillPlaylist(vlc::playlist_player_core& player, int count)
{
    for (int i = 0; i < count; ++i)
        QCOMPARE(player.add_media(m_clips[i % m_clips.size()].toStdString(), {}, {}, false), i);
}

void TestVlcPlayer::newPlayerIsEmpty()
{
    vlc::player player;
    QCOMPARE(player.current_item(), -1);
    QCOMPARE(player.item_count(), 0u);
    QCOMPARE(player.get_playback_mode(), int32_t(vlc::mode_single));
    QCOMPARE(player.add_media(m_clips[0].toStdString(), {}, {}, false), -1);

    vlc::media_list_player listPlayer;
    QCOMPARE(listPlayer.add_media(m_clips[0].toStdString(), {}, {}, false), -1);
    QCOMPARE(listPlayer.current_item(), -1);

    QVERIFY(player.open(m_libvlc));
    QCOMPARE(player.add_media(vlc::media()), -1);
}

void TestVlcPlayer::playWithoutPlaylistPlaysLoadedMedia()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    vlc::media item(libvlc_media_new_location(m_libvlc, m_clips[0].toUtf8().constData()), true);
    libvlc_media_player_set_media(player.get_mp(), item.get());
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    QCOMPARE(player.current_media().get(), item.get());
    QCOMPARE(player.current_item(), -1);
    player.stop();
}

void TestVlcPlayer::playlistLimit()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    vlc::media item(libvlc_media_new_location(m_libvlc, m_clips[0].toUtf8().constData()), true);
    for (unsigned i = 0; i < vlc::max_playlist_items; ++i) {
        if (player.add_media(item) != static_cast<int>(i))
            QFAIL(qPrintable(QStringLiteral("item %1 was refused").arg(i)));
    }
    QCOMPARE(player.item_count(), 32767u);
    QCOMPARE(player.add_media(item), -1);
    QCOMPARE(player.item_count(), 32767u);
    QVERIFY(!player.play(32767u));
    player.clear_items();
    QCOMPARE(player.item_count(), 0u);
    QCOMPARE(player.current_item(), -1);
}

void TestVlcPlayer::nextAndPrevFollowModes()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 3);
    player.set_playback_mode(vlc::mode_normal);

    QVERIFY(!player.play(3u));
    QVERIFY(player.play(0u));
    QCOMPARE(player.current_item(), 0);
    player.next();
    QCOMPARE(player.current_item(), 1);
    QCOMPARE(player.current_media().get(), player.get_media(1).get());
    player.next();
    QCOMPARE(player.current_item(), 2);
    player.next();
    QCOMPARE(player.current_item(), 2);

    player.set_playback_mode(vlc::mode_single);
    player.next();
    QCOMPARE(player.current_item(), 2);

    player.set_playback_mode(vlc::mode_loop);
    player.next();
    QCOMPARE(player.current_item(), 0);
    QCOMPARE(player.current_media().get(), player.get_media(0).get());
    player.prev();
    QCOMPARE(player.current_item(), 2);

    player.set_playback_mode(vlc::mode_normal);
    player.prev();
    player.prev();
    QCOMPARE(player.current_item(), 0);
    player.prev();
    QCOMPARE(player.current_item(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    player.stop();
}

void TestVlcPlayer::disabledItemsAreSkipped()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 3);
    player.set_playback_mode(vlc::mode_normal);
    player.disable_item(1, true);
    QVERIFY(player.is_item_disabled(1));
    QVERIFY(!player.is_item_disabled(7));

    QVERIFY(player.play(0u));
    player.next();
    QCOMPARE(player.current_item(), 2);
    player.prev();
    QCOMPARE(player.current_item(), 0);

    for (unsigned i = 0; i < 3; ++i)
        player.disable_item(i, true);
    player.set_playback_mode(vlc::mode_loop);
    player.next();
    QCOMPARE(player.current_item(), 0);
    player.prev();
    QCOMPARE(player.current_item(), 0);
    player.stop();
}

void TestVlcPlayer::deleteMovesCurrentIndex()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    QVERIFY(!player.delete_item(0));
    fillPlaylist(player, 4);
    QVERIFY(!player.delete_item(4));

    player.set_current(2);
    const vlc::media current = player.get_media(2);
    QVERIFY(player.delete_item(0));
    QCOMPARE(player.current_item(), 1);
    QCOMPARE(player.get_media(1).get(), current.get());

    player.set_current(2);
    QVERIFY(player.delete_item(2));
    QCOMPARE(player.item_count(), 2u);
    QCOMPARE(player.current_item(), 1);
}

void TestVlcPlayer::deleteCurrentWhilePlayingStartsNext()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 3);
    const vlc::media following = player.get_media(2);
    QVERIFY(player.play(1u));
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);

    QVERIFY(player.delete_item(1));
    QCOMPARE(player.current_item(), 1);
    QCOMPARE(player.current_media().get(), following.get());
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    player.stop();
}

void TestVlcPlayer::deleteCurrentWhilePausedOnlyMovesIndex()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 3);
    const vlc::media playing = player.get_media(1);
    QVERIFY(player.play(1u));
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    player.pause();
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Paused, waitMs);

    QVERIFY(player.delete_item(1));
    QCOMPARE(player.current_item(), 1);
    QCOMPARE(player.current_media().get(), playing.get());
    QCOMPARE(player.get_state(), libvlc_Paused);
    player.stop();
}

void TestVlcPlayer::moveItemFollowsCurrent()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 5);
    const char* names[] = {"a", "b", "c", "d", "e"};
    for (unsigned i = 0; i < 5; ++i)
        player.set_item_data(i, names[i]);
    QVERIFY(player.get_item_data(9).empty());
    auto order = [&player] {
        std::string text;
        for (unsigned i = 0; i < player.item_count(); ++i)
            text += player.get_item_data(i);
        return QString::fromStdString(text);
    };

    player.set_current(1);
    player.move_item(1, 2);
    QCOMPARE(order(), QStringLiteral("acdbe"));
    QCOMPARE(player.current_item(), 3);

    player.move_item(0, 3);
    QCOMPARE(order(), QStringLiteral("cdbae"));
    QCOMPARE(player.current_item(), 2);

    player.move_item(4, -3);
    QCOMPARE(order(), QStringLiteral("cedba"));
    QCOMPARE(player.current_item(), 3);
    QCOMPARE(player.get_item_data(3), std::string("b"));

    player.move_item(0, 0);
    player.move_item(1, 4);
    player.move_item(1, -2);
    player.move_item(5, -1);
    QCOMPARE(order(), QStringLiteral("cedba"));
    QCOMPARE(player.current_item(), 3);
}

void TestVlcPlayer::trackIndexMappingAndDelays()
{
    const QString clip = m_media.clipWithTracks(QStringLiteral("tracks.mkv"));
    QVERIFY(!clip.isEmpty());
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    QCOMPARE(player.add_media(clip.toStdString(), {}, {}, true), 0);
    QVERIFY(player.play(0u));
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);

    // Each description list starts with the "Disable" entry (id -1).
    QTRY_COMPARE_WITH_TIMEOUT(player.audio().track_count(), 3u, waitMs);
    QTRY_COMPARE_WITH_TIMEOUT(player.audio().get_track(), 1, waitMs);
    player.audio().set_track(2);
    QTRY_COMPARE_WITH_TIMEOUT(player.audio().get_track(), 2, waitMs);
    player.audio().set_track(9);
    QTRY_COMPARE_WITH_TIMEOUT(player.audio().get_track(), -1, waitMs);

    QTRY_COMPARE_WITH_TIMEOUT(player.video().track_count(), 2u, waitMs);
    QCOMPARE(player.video().get_track(), 1);

    QTRY_COMPARE_WITH_TIMEOUT(player.subtitles().track_count(), 2u, waitMs);
    player.subtitles().set_track(1);
    QTRY_COMPARE_WITH_TIMEOUT(player.subtitles().get_track(), 1, waitMs);
    player.subtitles().set_track(5);
    QTRY_COMPARE_WITH_TIMEOUT(player.subtitles().get_track(), -1, waitMs);

    player.audio().set_delay(1500);
    QCOMPARE(player.audio().get_delay(), int64_t(1500));
    player.subtitles().set_delay(-250);
    QCOMPARE(player.subtitles().get_delay(), int64_t(-250));
    player.stop();
}

void TestVlcPlayer::closedPlayerReadsNeutralValues()
{
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    player.close();
    QVERIFY(!player.is_open());
    QCOMPARE(player.get_state(), libvlc_NothingSpecial);
    QVERIFY(player.current_media().empty());
    QCOMPARE(player.playback().get_length(), int64_t(0));
    QCOMPARE(player.playback().get_rate(), 1.f);
    QCOMPARE(player.audio().get_track(), -1);
    QCOMPARE(player.audio().get_channel(), -1);
    QCOMPARE(player.audio().get_volume(), 0u);
    QCOMPARE(player.video().get_track(), -1);
    QVERIFY(!player.video().has_vout());
    QCOMPARE(player.subtitles().get_track(), -1);
    QVERIFY(!player.subtitles().load("/nonexistent.srt"));
    player.stop();
    player.play();
}

void TestVlcPlayer::mediaListPlayer()
{
    RecordingListener listener;
    vlc::media_list_player player;
    player.register_callback(&listener);
    QVERIFY(player.open(m_libvlc));

    player.set_playback_mode(vlc::mode_loop);
    player.set_playback_mode(vlc::mode_single);
    QCOMPARE(player.get_playback_mode(), int32_t(vlc::mode_loop));

    fillPlaylist(player, 2);
    QCOMPARE(player.item_count(), 2u);
    QTRY_COMPARE_WITH_TIMEOUT(listener.count(libvlc_MediaListItemAdded), 2, waitMs);
    const vlc::media second = player.get_media(1);
    QCOMPARE(player.find_media_index(second), 1);
    QVERIFY(player.get_media(5).empty());
    QVERIFY(!player.is_item_disabled(0));
    QVERIFY(player.get_item_data(0).empty());

    // libvlc 3 answers -1 here although it starts the item; the result is
    // passed on as it comes, so only the effect is checked.
    player.play(1u);
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    QCOMPARE(player.current_item(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(listener.count(libvlc_MediaPlayerPlaying) >= 1, waitMs);

    QVERIFY(player.delete_item(0));
    QCOMPARE(player.item_count(), 1u);
    QCOMPARE(player.current_item(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(listener.count(libvlc_MediaListItemDeleted), 1, waitMs);
    player.clear_items();
    QCOMPARE(player.item_count(), 0u);
    player.stop();
    player.unregister_callback(&listener);
}

void TestVlcPlayer::eventsAttachWithListeners()
{
    RecordingListener first;
    RecordingListener second;
    vlc::player player;
    QVERIFY(player.open(m_libvlc));
    fillPlaylist(player, 2);
    player.register_callback(&first);
    player.register_callback(&second);

    QVERIFY(player.play(0u));
    QTRY_VERIFY_WITH_TIMEOUT(second.count(libvlc_MediaPlayerPlaying) == 1, waitMs);
    QCOMPARE(first.count(libvlc_MediaPlayerPlaying), 1);
    QCOMPARE(first.count(libvlc_MediaPlayerOpening), 1);
    QCOMPARE(first.count(libvlc_MediaPlayerMediaChanged), 1);

    player.unregister_callback(&second);
    player.stop();
    QTRY_COMPARE_WITH_TIMEOUT(first.count(libvlc_MediaPlayerStopped), 1, waitMs);
    QCOMPARE(second.count(libvlc_MediaPlayerStopped), 0);

    // close() forgets the listeners: a reopened player tells nobody.
    player.close();
    QVERIFY(player.open(m_libvlc));
    const int before = first.total();
    fillPlaylist(player, 1);
    QVERIFY(player.play(0u));
    QTRY_COMPARE_WITH_TIMEOUT(player.get_state(), libvlc_Playing, waitMs);
    player.stop();
    QCOMPARE(first.total(), before);
}

QTEST_GUILESS_MAIN(TestVlcPlayer)
#include "tst_vlc_player.moc"
