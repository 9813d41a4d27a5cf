// The QML player objects: configuration, registration, playlist advance on
// end and error, and the sub-objects, with real libvlc and real media.
#include <QtTest>


#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcMediaListPlayer.h"
#include "QmlVlcPlayer.h"
#include "TestMedia.h"
#include "vlc/command_queue.h"
#include "TinyHttpServer.h"

namespace {
constexpr int waitMs = 15000;
} // namespace

class TestQmlVlcPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void trustedOptions_data();
    void trustedOptions();
    void playersShareOneInstance();
    void writingMrlReplacesPlaylist();
    void endOfItemAdvancesUnlessSingle();
    void errorAdvancesAfterOneSecond();
    void mediaChangeCancelsErrorAdvance();
    void positionNames();
    void subtitlesFromMemory();
    void subtitlesFromFilesAndUrls();
    void playingPlayerReportsItsMedia();
    void mediaDescription();
    void mediaListPlayerSignals();
    void closedPlayerReadsNeutralValues();

private:
    TestMedia m_media;
    QString m_long;
    QString m_short;
    QString m_missing;
};

void TestQmlVlcPlayer::initTestCase()
{
    QmlVlc::registerTypes();
    QmlVlc::registerPlayerStateEnum();
    QmlVlcConfig& config = QmlVlcConfig::instance();
    config.enableMarqueeFilter(false);
    config.enableAdjustFilter(false);
    config.enableLogoFilter(false);
    config.enableDebug(false);
    config.setNetworkCacheTime(200);
    config.enableHardwareAcceleration(true);

    QVERIFY(m_media.isValid());
    m_long = TestMedia::fileUrl(m_media.clip(QStringLiteral("long.mp4"), QSize(160, 120), 10));
    m_short = TestMedia::fileUrl(m_media.clip(QStringLiteral("short.mp4"), QSize(160, 120), 1));
    m_missing = TestMedia::fileUrl(m_media.path(QStringLiteral("missing.mp4")));
    QVERIFY(!m_long.isEmpty() && !m_short.isEmpty());
}

void TestQmlVlcPlayer::trustedOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("demux h264") << ":demux=h264" << true;
    QTest::newRow("demux spaced") << " :demux = h264 " << true;
    QTest::newRow("demux other") << ":demux=avformat" << false;
    QTest::newRow("rtsp port") << ":rtsp-http-port=8080" << true;
    QTest::newRow("mxg") << ":avformat-format=mxg" << true;
    QTest::newRow("other format") << ":avformat-format=mp4" << false;
    QTest::newRow("fps") << ":h264-fps=30" << true;
    QTest::newRow("caching") << ":network-caching=300" << false;
    QTest::newRow("no value") << "bad" << false;
    QTest::newRow("two equals") << ":demux=h264=x" << false;
}

void TestQmlVlcPlayer::trustedOptions()
{
    QFETCH(QString, option);
    QFETCH(bool, trusted);
    QCOMPARE(QmlVlcConfig::instance().isOptionTrusted(option), trusted);
    QmlVlcConfig::instance().setTrustedEnvironment(true);
    QVERIFY(QmlVlcConfig::instance().isOptionTrusted(option));
    QmlVlcConfig::instance().setTrustedEnvironment(false);
}

void TestQmlVlcPlayer::playersShareOneInstance()
{
    QmlVlcConfig& config = QmlVlcConfig::instance();
    QCOMPARE(config.instanceUsers(), 0);
    auto first = std::make_unique<QmlVlcPlayer>();
    auto second = std::make_unique<QmlVlcPlayer>();
    QCOMPARE(config.instanceUsers(), 2);
    QCOMPARE(first->player().get_instance(), second->player().get_instance());
    first.reset();
    QCOMPARE(config.instanceUsers(), 1);
    QVERIFY(second->player().is_open());
    second.reset();
    QCOMPARE(config.instanceUsers(), 0);
}

void TestQmlVlcPlayer::writingMrlReplacesPlaylist()
{
    QmlVlcPlayer player;
    player.classBegin();
    QCOMPARE(player.playlist()->add(m_short), 0);
    QCOMPARE(player.playlist()->add(m_short), 1);
    QSignalSpy playing(&player, &QmlVlcPlayerProxy::mediaPlayerPlaying);
    QVERIFY(player.setProperty("mrl", m_long));
    QCOMPARE(player.playlist()->itemCount(), 1u);
    QVERIFY(playing.count() || playing.wait(waitMs));
    QCOMPARE(player.state(), QmlVlcPlayerProxy::Playing);
    QVERIFY(player.playing());
    QCOMPARE(player.property("mrl").toString(), m_long);
    player.stop();
}

void TestQmlVlcPlayer::endOfItemAdvancesUnlessSingle()
{
    QmlVlcPlayer player;
    player.classBegin();
    QCOMPARE(player.playlist()->mode(), QmlVlcPlaylist::Normal);
    player.playlist()->add(m_short);
    player.playlist()->add(m_long);
    QSignalSpy ended(&player, &QmlVlcPlayerProxy::mediaPlayerEndReached);
    QVERIFY(player.playlist()->playItem(0));
    QVERIFY(ended.count() || ended.wait(waitMs));
    QTRY_COMPARE_WITH_TIMEOUT(player.playlist()->currentItem(), 1, waitMs);
    QTRY_COMPARE_WITH_TIMEOUT(player.state(), QmlVlcPlayerProxy::Playing, waitMs);

    player.playlist()->setMode(QmlVlcPlaylist::Single);
    ended.clear();
    QVERIFY(player.playlist()->playItem(0));
    QVERIFY(ended.count() || ended.wait(waitMs));
    QSignalSpy changed(&player, &QmlVlcPlayerProxy::mediaPlayerMediaChanged);
    QVERIFY(!changed.wait(1500));
    QCOMPARE(player.playlist()->currentItem(), 0);
    QCOMPARE(player.state(), QmlVlcPlayerProxy::Ended);
}

void TestQmlVlcPlayer::errorAdvancesAfterOneSecond()
{
    QmlVlcPlayer player;
    player.classBegin();
    player.playlist()->add(m_missing);
    player.playlist()->add(m_long);
    QSignalSpy error(&player, &QmlVlcPlayerProxy::mediaPlayerEncounteredError);
    QList<QmlVlcPlayerProxy::State> states;
    connect(&player, &QmlVlcPlayerProxy::stateChanged, this,
            [&states](QmlVlcPlayerProxy::State state) { states << state; });
    QVERIFY(player.playlist()->playItem(0));
    QVERIFY(error.count() || error.wait(waitMs));
    QCOMPARE(player.playlist()->currentItem(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(player.playlist()->currentItem(), 1, waitMs);
    QVERIFY(states.contains(QmlVlcPlayerProxy::Error));
    QTRY_VERIFY_WITH_TIMEOUT(states.lastIndexOf(QmlVlcPlayerProxy::Playing) > states.indexOf(QmlVlcPlayerProxy::Error),
                             waitMs);
    player.stop();
}

void TestQmlVlcPlayer::mediaChangeCancelsErrorAdvance()
{
    QmlVlcPlayer player;
    player.classBegin();
    player.playlist()->add(m_missing);
    player.playlist()->add(m_long);
    player.playlist()->add(m_long);
    QSignalSpy error(&player, &QmlVlcPlayerProxy::mediaPlayerEncounteredError);
    QSignalSpy changed(&player, &QmlVlcPlayerProxy::mediaPlayerMediaChanged);
    QSignalSpy current(player.playlist(), &QmlVlcPlaylist::currentItemChanged);
    QVERIFY(player.playlist()->playItem(0));
    QVERIFY(error.count() || error.wait(waitMs));
    changed.clear();
    player.playlist()->setCurrentItem(2);
    QVERIFY(changed.count() || changed.wait(waitMs));
    QVERIFY(current.count() >= 1);

    QSignalSpy playing(&player, &QmlVlcPlayerProxy::mediaPlayerPlaying);
    QVERIFY(!playing.wait(2000));
    QCOMPARE(player.playlist()->currentItem(), 2);
}

void TestQmlVlcPlayer::positionNames()
{
    QmlVlcPlayer player;
    QmlVlcMarquee* marquee = player.video()->marquee();
    // Setters reach libvlc through the player's worker, in order.
    marquee->setPosition(QStringLiteral("top-right"));
    QTRY_VERIFY(!player.player().busy());
    QCOMPARE(libvlc_video_get_marquee_int(player.player().get_mp(), libvlc_marquee_Position), 6);
    QCOMPARE(marquee->position(), QStringLiteral("top-right"));
    libvlc_video_set_marquee_int(player.player().get_mp(), libvlc_marquee_Position, 3);
    QCOMPARE(marquee->position(), QString());
    marquee->setPosition(QStringLiteral("middle"));
    QTRY_VERIFY(!player.player().busy());
    QCOMPARE(libvlc_video_get_marquee_int(player.player().get_mp(), libvlc_marquee_Position), -1);

    QmlVlcLogo* logo = player.video()->logo();
    logo->setPosition(QStringLiteral("bottom-left"));
    QTRY_VERIFY(!player.player().busy());
    QCOMPARE(libvlc_video_get_logo_int(player.player().get_mp(), libvlc_logo_position), 9);
    QCOMPARE(logo->position(), QStringLiteral("bottom-left"));
}

void TestQmlVlcPlayer::subtitlesFromMemory()
{
    QmlVlcPlayer player;
    player.classBegin();
    QSignalSpy playing(&player, &QmlVlcPlayerProxy::mediaPlayerPlaying);
    player.play(m_long);
    QVERIFY(playing.count() || playing.wait(waitMs));

    const QByteArray srt("1\n00:00:00,000 --> 00:00:09,000\nhello\n");
    QmlVlcSubtitle* subtitle = player.subtitle();
    QVERIFY(!subtitle->loadFromString(srt, static_cast<QmlVlcSubtitle::Type>(2)));
    QVERIFY(!subtitle->loadFromString(QByteArray(QmlVlcSubtitle::maxTextSize + 1, 'a'), QmlVlcSubtitle::Subrip));
    for (int i = 0; i < QmlVlcSubtitle::maxLoadedFiles; ++i)
        QVERIFY2(subtitle->loadFromString(srt, QmlVlcSubtitle::Subrip), qPrintable(QString::number(i)));
    QVERIFY(!subtitle->loadFromString(srt, QmlVlcSubtitle::Subrip));

    subtitle->setDelay(1500);
    QCOMPARE(subtitle->delay(), 1500);

    QSignalSpy changed(&player, &QmlVlcPlayerProxy::mediaPlayerMediaChanged);
    playing.clear();
    player.play(m_long);
    QVERIFY(changed.count() || changed.wait(waitMs));
    QVERIFY(playing.count() || playing.wait(waitMs));
    QVERIFY(subtitle->loadFromString(srt, QmlVlcSubtitle::Vtt) || subtitle->loadFromString(srt, QmlVlcSubtitle::Subrip));
    player.stop();
}

void TestQmlVlcPlayer::subtitlesFromFilesAndUrls()
{
    const QByteArray srt("1\n00:00:00,000 --> 00:00:09,000\nhello\n");
    TinyHttpServer good(srt);
    TinyHttpServer missing{QByteArray()};
    QVERIFY(good.start() && missing.start());
    const QString local = m_media.path(QStringLiteral("local.srt"));
    QFile file(local);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(srt);
    file.close();

    QmlVlcPlayer player;
    player.classBegin();
    QSignalSpy playing(&player, &QmlVlcPlayerProxy::mediaPlayerPlaying);
    player.play(m_long);
    QVERIFY(playing.count() || playing.wait(waitMs));
    QmlVlcSubtitle* subtitle = player.subtitle();
    QSignalSpy finished(subtitle, &QmlVlcSubtitle::loadFinished);
    QSignalSpy failed(subtitle, &QmlVlcSubtitle::loadError);

    subtitle->load(QUrl::fromLocalFile(local));
    QCOMPARE(finished.count(), 1);
    subtitle->load(QUrl(QStringLiteral("http://127.0.0.1:%1/track.srt").arg(good.serverPort())));
    QVERIFY(finished.count() == 2 || finished.wait(waitMs));
    subtitle->load(QUrl(QStringLiteral("http://127.0.0.1:%1/none.srt").arg(missing.serverPort())));
    QVERIFY(failed.count() == 1 || failed.wait(waitMs));
    QCOMPARE(finished.count(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(subtitle->count() >= 2, waitMs);
    player.stop();
}

void TestQmlVlcPlayer::playingPlayerReportsItsMedia()
{
    QmlVlcPlayer player;
    player.classBegin();
    QSignalSpy playing(&player, &QmlVlcPlayerProxy::mediaPlayerPlaying);
    player.play(m_long);
    QVERIFY(playing.count() || playing.wait(waitMs));
    QCOMPARE(player.video()->width(), 160u);
    QCOMPARE(player.video()->height(), 120u);
    QTRY_VERIFY_WITH_TIMEOUT(player.input()->length() > 9000 && player.length() > 9000, waitMs);
    QTRY_VERIFY_WITH_TIMEOUT(player.input()->hasVout(), waitMs);
    QCOMPARE(player.input()->state(), unsigned(QmlVlcPlayerProxy::Playing));
    QCOMPARE(player.mediaDescription()->mrl(), m_long);

    QSignalSpy volume(&player, &QmlVlcPlayerProxy::volumeChanged);
    QSignalSpy mute(player.audio(), &QmlVlcAudio::muteChanged);
    player.setVolume(40);
    QVERIFY(volume.count() || volume.wait(waitMs));
    player.toggleMute();
    QVERIFY(mute.count() || mute.wait(waitMs));

    QSignalSpy paused(&player, &QmlVlcPlayerProxy::mediaPlayerPaused);
    player.playlist()->togglePause();
    QVERIFY(paused.count() || paused.wait(waitMs));
    QVERIFY(!player.playlist()->isPlaying());
    playing.clear();
    player.playlist()->togglePause();
    QVERIFY(playing.count() || playing.wait(waitMs));
    player.stop();
}

void TestQmlVlcPlayer::mediaDescription()
{
    QmlVlcPlayer player;
    player.classBegin();
    player.playlist()->add(m_short);
    player.playlist()->add(m_long);
    QQmlListProperty<QmlVlcMedia> items = player.playlist()->items();
    QCOMPARE(items.count(&items), 2);
    std::unique_ptr<QmlVlcMedia> second(items.at(&items, 1));
    QCOMPARE(second->mrl(), m_long);
    second->setSetting(QStringLiteral("camera 2"));
    second->setDisabled(true);
    QCOMPARE(QString::fromStdString(player.player().get_item_data(1)), QStringLiteral("camera 2"));
    QVERIFY(player.player().is_item_disabled(1));
    QSignalSpy title(second.get(), &QmlVlcMedia::titleChanged);
    second->setTitle(QStringLiteral("Garden"));
    QCOMPARE(title.count(), 1);
    QCOMPARE(second->title(), QStringLiteral("Garden"));

    player.playlist()->setCurrentItem(1);
    QCOMPARE(player.mediaDescription()->mrl(), m_long);
    QCOMPARE(player.mediaDescription()->setting(), QStringLiteral("camera 2"));

    items.clear(&items);
    QCOMPARE(player.playlist()->itemCount(), 0u);
    QCOMPARE(second->setting(), QString());
    QVERIFY(!second->disabled());
}

void TestQmlVlcPlayer::mediaListPlayerSignals()
{
    QmlVlcMediaListPlayer player;
    player.classBegin();
    QSignalSpy added(&player, &QmlVlcMediaListPlayerProxy::mediaListItemAdded);
    QSignalSpy deleted(&player, &QmlVlcMediaListPlayerProxy::mediaListItemDeleted);
    QCOMPARE(player.playlist()->add(m_long), 0);
    QCOMPARE(player.playlist()->add(m_short), 1);
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 2, waitMs);
    QCOMPARE(added.at(1).at(0).toInt(), 1);
    QVERIFY(player.playlist()->removeItem(0));
    QVERIFY(deleted.count() || deleted.wait(waitMs));
    QCOMPARE(deleted.at(0).at(0).toInt(), 0);
    QCOMPARE(player.playlist()->itemCount(), 1u);
}

void TestQmlVlcPlayer::closedPlayerReadsNeutralValues()
{
    QmlVlcPlayer player;
    player.classBegin();
    player.player().close();
    QCOMPARE(player.state(), QmlVlcPlayerProxy::NothingSpecial);
    QCOMPARE(player.length(), 0.0);
    QCOMPARE(player.mrl(), QString());
    QCOMPARE(player.playlist()->add(m_long), -1);
    QCOMPARE(player.video()->width(), 0u);
    QCOMPARE(player.input()->title(), -1);
    QCOMPARE(player.input()->chapterCount(), 0u);
    QCOMPARE(player.audio()->track(), -1);
    QCOMPARE(player.subtitle()->description(0), QString());
    QVERIFY(!player.subtitle()->loadFromString("x", QmlVlcSubtitle::Subrip));
    player.play(m_long);
    player.togglePause();
    player.stop();
    QCOMPARE(player.state(), QmlVlcPlayerProxy::NothingSpecial);
}

void TestQmlVlcPlayer::cleanupTestCase()
{
    // Destroyed players release their libvlc players on their workers; let
    // them finish before the process exits.
    QVERIFY(vlc::command_queue::wait_for_all(std::chrono::milliseconds(30000)));
}

QTEST_MAIN(TestQmlVlcPlayer)
#include "tst_qmlvlc_player.moc"
