// End to end: a live RTP H.264 stream shown by two surfaces in a real window.
#include <QtTest>

#include <QQmlContext>
#include <QQuickView>

#include "ImageCompare.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcFrameTextures.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoOutput.h"
#include "QmlVlcVideoSurface.h"
#include "RtpSender.h"
#include "TestMedia.h"
#include "vlc/command_queue.h"

namespace {
constexpr int streamWaitMs = 20000;
// Per channel, against ffmpeg's decode of the same stream: a wrong matrix
// or range is off by far more.
constexpr double colourTolerance = 8.0;
const QSize streamSize(640, 360);

// Regions of the test pattern that do not move: the colour bars above the
// counter and below the scrolling gradient.
QList<QRect> staticRegions(int scale = 1)
{
    QList<QRect> regions;
    for (int bar = 0; bar < 8; ++bar) {
        regions << QRect(30 + 80 * bar, 20, 20, 20);
        regions << QRect(30 + 80 * bar, 330, 20, 20);
    }
    for (QRect& region : regions)
        region = QRect(region.topLeft() * scale, region.size() * scale);
    return regions;
}

const QRect gradientRegion(0, 280, 640, 25);

double meanLuma(const char* plane, int pitch, const QRect& region)
{
    qint64 sum = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            sum += static_cast<unsigned char>(plane[y * pitch + x]);
    }
    return static_cast<double>(sum) / (region.width() * region.height());
}

bool loadOneSurface(QQuickView& view, const QString& sdp, const QSize& size)
{
    view.rootContext()->setContextProperty(QStringLiteral("sdpMrl"), QStringLiteral("file:///") + sdp);
    view.rootContext()->setContextProperty(QStringLiteral("streamWidth"), size.width());
    view.rootContext()->setContextProperty(QStringLiteral("streamHeight"), size.height());
    view.setSource(QUrl::fromLocalFile(QStringLiteral(VIDEO_TEST_SCENES "/OneSurface.qml")));
    return view.status() == QQuickView::Ready;
}
// A live stream of its own shown by one surface (scenes/OneSurface.qml), not yet shown.
struct OneSurfaceScene
{
    RtpSender sender;
    QQuickView view;
    QmlVlcPlayer* player = nullptr;
    QmlVlcVideoSurface* surface = nullptr;

    bool load(TestMedia& media, const QString& clip, const QString& name)
    {
        const QString sdp = media.path(name + QStringLiteral(".sdp"));
        if (!sender.start(clip, sdp)
            || !QTest::qWaitFor([&sdp] { return QFileInfo(sdp).size() > 0; }, streamWaitMs)
            || !loadOneSurface(view, sdp, streamSize))
            return false;
        player = view.rootObject()->findChild<QmlVlcPlayer*>(QStringLiteral("player"));
        surface = view.rootObject()->findChild<QmlVlcVideoSurface*>(QStringLiteral("surface"));
        return player && surface;
    }
};
} // namespace

class TestVideoWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void liveStreamReachesBothSurfaces();
    void stoppedStreamBlanksSurfaces();
    void coloursMatchFfmpeg_data();
    void coloursMatchFfmpeg();
    void hiddenSurfaceStopsDecoding();
    void catchUpShowsOnlyWholePictures();

private:
    QImage grab();
    void saveGrab(const QImage& image, const QString& name);

    TestMedia m_media;
    QString m_clip;
    QImage m_reference;
    RtpSender m_sender;
    QString m_sdp;
    std::unique_ptr<QQuickView> m_view;
    QmlVlcPlayer* m_player = nullptr;
    QmlVlcVideoSurface* m_left = nullptr;
    QmlVlcVideoSurface* m_right = nullptr;
    QList<int> m_states;
};

void TestVideoWindow::initTestCase()
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
    m_clip = m_media.clip(QStringLiteral("live.mp4"), streamSize, 20);
    QVERIFY(!m_clip.isEmpty());
    const QString referencePath = m_media.path(QStringLiteral("reference.png"));
    QVERIFY(TestMedia::runFfmpeg({"-i", m_clip, "-frames:v", "1", referencePath}));
    QVERIFY(m_reference.load(referencePath));
    QCOMPARE(m_reference.size(), streamSize);

    m_sdp = m_media.path(QStringLiteral("live.sdp"));
    QVERIFY(m_sender.start(m_clip, m_sdp));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_sdp).size() > 0, streamWaitMs);
}

QImage TestVideoWindow::grab()
{
    return m_view->grabWindow().convertToFormat(QImage::Format_RGB32);
}

void TestVideoWindow::saveGrab(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("LYN_VIDEO_GRABS");
    if (!dir.isEmpty())
        image.save(QDir(dir).filePath(name));
}

void TestVideoWindow::liveStreamReachesBothSurfaces()
{
    m_view = std::make_unique<QQuickView>();
    m_view->rootContext()->setContextProperty(QStringLiteral("sdpMrl"), QStringLiteral("file:///") + m_sdp);
    m_view->setSource(QUrl::fromLocalFile(QStringLiteral(VIDEO_TEST_SCENES "/TwoSurfaces.qml")));
    QCOMPARE(m_view->status(), QQuickView::Ready);
    m_player = m_view->rootObject()->findChild<QmlVlcPlayer*>(QStringLiteral("player"));
    m_left = m_view->rootObject()->findChild<QmlVlcVideoSurface*>(QStringLiteral("left"));
    m_right = m_view->rootObject()->findChild<QmlVlcVideoSurface*>(QStringLiteral("right"));
    QVERIFY(m_player && m_left && m_right);
    connect(m_player, &QmlVlcPlayerProxy::stateChanged, this, [this](QmlVlcPlayerProxy::State state) {
        m_states << state;
    });
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));

    QTRY_VERIFY_WITH_TIMEOUT(m_left->currentFrame() && m_right->currentFrame(), streamWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(m_states.contains(QmlVlcPlayerProxy::Playing), streamWaitMs);
    QVERIFY(m_states.contains(QmlVlcPlayerProxy::Opening));
    QVERIFY(m_states.indexOf(QmlVlcPlayerProxy::Opening) < m_states.indexOf(QmlVlcPlayerProxy::Playing));
    QCOMPARE(m_player->state(), QmlVlcPlayerProxy::Playing);

    // The visible size is negotiated, not libvlc's padded decoder size.
    const auto frame = m_left->currentFrame();
    QCOMPARE(int(frame->width), streamSize.width());
    QCOMPARE(int(frame->height), streamSize.height());
    QCOMPARE(m_left->currentFrame().get(), m_right->currentFrame().get());

    // A live stream joined between keyframes starts with pictures predicted
    // from nothing; wait past a whole group of pictures, then compare with
    // ffmpeg's decode.
    const unsigned shown = m_player->videoOutput().displayedFrames();
    const quint64 uploaded = QmlVlcFrameTextures::uploads();
    QTRY_VERIFY_WITH_TIMEOUT(m_player->videoOutput().displayedFrames() >= shown + 40, streamWaitMs);
    // Two surfaces of one player in one window: one upload per frame.
    QVERIFY(QmlVlcFrameTextures::uploads() - uploaded <= m_player->videoOutput().displayedFrames() - shown + 1);
    QVERIFY(QmlVlcFrameTextures::uploads() > uploaded);
    const QImage first = grab();
    saveGrab(first, QStringLiteral("live-first.png"));
    QCOMPARE(first.size(), QSize(1280, 360));
    for (int surface = 0; surface < 2; ++surface) {
        for (const QRect& region : staticRegions()) {
            const double diff = ImageCompare::meanDifference(first, region.translated(640 * surface, 0),
                                                             m_reference, region);
            if (diff > colourTolerance)
                QFAIL(qPrintable(QStringLiteral("surface %1 region %2,%3 differs by %4")
                                     .arg(surface).arg(region.x()).arg(region.y()).arg(diff)));
        }
    }

    // A frozen picture fails: the scrolling gradient must have moved.
    const unsigned later = m_player->videoOutput().displayedFrames();
    QTRY_VERIFY_WITH_TIMEOUT(m_player->videoOutput().displayedFrames() >= later + 12, streamWaitMs);
    const QImage second = grab();
    saveGrab(second, QStringLiteral("live-second.png"));
    double moved = 0;
    for (int x = 0; x + 40 <= 640; x += 40) {
        const QRect strip(x, gradientRegion.y(), 40, gradientRegion.height());
        moved = std::max(moved, ImageCompare::meanDifference(first, strip, second, strip));
    }
    QVERIFY2(moved > colourTolerance, qPrintable(QStringLiteral("gradient moved by only %1").arg(moved)));
}

void TestVideoWindow::stoppedStreamBlanksSurfaces()
{
    QVERIFY(m_player);
    m_sender.stop();
    m_player->stop();
    // The stop runs on the player's worker; the interface shows it at once.
    QCOMPARE(m_player->state(), QmlVlcPlayerProxy::Stopping);
    QVERIFY(!m_player->playing());
    QTRY_VERIFY_WITH_TIMEOUT(!m_left->currentFrame() && !m_right->currentFrame(), streamWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_player->state(), QmlVlcPlayerProxy::Stopped, streamWaitMs);

    const QImage blank = grab();
    saveGrab(blank, QStringLiteral("stopped.png"));
    const QImage background(blank.size(), QImage::Format_RGB32);
    QImage magenta = background;
    magenta.fill(QColor("#ff00ff"));
    QCOMPARE(ImageCompare::meanDifference(blank, blank.rect(), magenta, magenta.rect()), 0.0);
    m_view.reset();
}

void TestVideoWindow::coloursMatchFfmpeg_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("encoding");
    QTest::addColumn<QString>("decoding");
    // Drawn this many times the stream's size.
    QTest::addColumn<int>("scale");
    QTest::newRow("360p BT.601") << QSize(640, 360) << QStringList{"-pix_fmt", "yuv420p"}
                                 << QStringLiteral("in_color_matrix=bt601:in_range=tv") << 1;
    QTest::newRow("720p BT.709") << QSize(1280, 720)
                                 << QStringList{"-pix_fmt", "yuv420p", "-colorspace", "bt709",
                                                "-color_primaries", "bt709", "-color_trc", "bt709"}
                                 << QStringLiteral("in_color_matrix=bt709:in_range=tv") << 1;
    QTest::newRow("360p full range") << QSize(640, 360) << QStringList{"-pix_fmt", "yuvj420p"}
                                     << QStringLiteral("in_color_matrix=bt601:in_range=pc") << 1;
    // An odd size (4:4:4, as 4:2:0 needs even sides) is shown from even
    // planes; scaled up, the last drawn column and row also sample the
    // padding beyond the picture.
    QTest::newRow("641x361 scaled") << QSize(641, 361) << QStringList{"-pix_fmt", "yuv444p"}
                                    << QStringLiteral("in_color_matrix=bt601:in_range=tv") << 2;
}

void TestVideoWindow::coloursMatchFfmpeg()
{
    QFETCH(QSize, size);
    QFETCH(QStringList, encoding);
    QFETCH(QString, decoding);
    QFETCH(int, scale);
    const QSize drawn = size * scale;
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).remove(' ').remove('.');
    const QString clip = m_media.path(tag + QStringLiteral(".mp4"));
    QVERIFY(TestMedia::runFfmpeg(QStringList{"-f", "lavfi", "-i",
                                             QStringLiteral("smptebars=size=%1x%2:rate=25").arg(size.width()).arg(size.height()),
                                             "-t", "10", "-c:v", "libx264", "-preset", "ultrafast", "-g", "25"}
                                 + encoding + QStringList{clip}));
    const QString referencePath = m_media.path(tag + QStringLiteral(".png"));
    QVERIFY(TestMedia::runFfmpeg({"-i", clip, "-frames:v", "1", "-vf",
                                  QStringLiteral("scale=w=%1:h=%2:flags=bilinear:").arg(drawn.width()).arg(drawn.height())
                                      + decoding,
                                  referencePath}));
    QImage reference;
    QVERIFY(reference.load(referencePath));
    QCOMPARE(reference.size(), drawn);

    RtpSender sender;
    const QString sdp = m_media.path(tag + QStringLiteral(".sdp"));
    QVERIFY(sender.start(clip, sdp));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(sdp).size() > 0, streamWaitMs);
    QQuickView view;
    QVERIFY(loadOneSurface(view, sdp, drawn));
    auto* player = view.rootObject()->findChild<QmlVlcPlayer*>(QStringLiteral("player"));
    QVERIFY(player);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_VERIFY_WITH_TIMEOUT(player->videoOutput().displayedFrames() >= 40, streamWaitMs);
    QCOMPARE(player->frameSize(), size);

    const QImage shown = view.grabWindow().convertToFormat(QImage::Format_RGB32);
    saveGrab(shown, tag + QStringLiteral(".png"));
    // The seven 75% bars and the mid-grey blocks below them: a range or
    // matrix error moves these, unlike fully saturated colours that clip.
    QList<QRect> regions;
    for (int bar = 0; bar < 7; ++bar) {
        const int x = (2 * bar + 1) * drawn.width() / 14 - drawn.width() / 64;
        regions << QRect(x, drawn.height() / 3, drawn.width() / 32, drawn.height() / 18);
        regions << QRect(x, drawn.height() * 71 / 100, drawn.width() / 32, drawn.height() / 36);
    }
    // The picture's last column and row: no strip of stale bytes at the edges.
    regions << QRect(drawn.width() - 1, 0, 1, drawn.height()) << QRect(0, drawn.height() - 1, drawn.width(), 1);
    for (const QRect& region : qAsConst(regions)) {
        const double diff = ImageCompare::meanDifference(shown, region, reference, region);
        QVERIFY2(diff <= colourTolerance, qPrintable(QStringLiteral("region %1,%2 differs by %3")
                                                         .arg(region.x()).arg(region.y()).arg(diff)));
    }
}

void TestVideoWindow::hiddenSurfaceStopsDecoding()
{
    OneSurfaceScene scene;
    QVERIFY(scene.load(m_media, m_clip, QStringLiteral("hidden")));
    QmlVlcPlayer* player = scene.player;
    QmlVlcVideoSurface* surface = scene.surface;
    QQuickView& view = scene.view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_VERIFY_WITH_TIMEOUT(player->videoOutput().displayedFrames() >= 10, streamWaitMs);
    QVERIFY(player->decoding());

    QSignalSpy decoding(player, &QmlVlcPlayerProxy::decodingChanged);
    surface->setVisible(false);
    QTRY_VERIFY_WITH_TIMEOUT(!player->decoding(), streamWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!player->player().video().has_vout(), streamWaitMs);
    // Not decoding on purpose is not a stall.
    QVERIFY(!player->stalled());
    const unsigned idle = player->videoOutput().displayedFrames();

    // Decoding resumes as the tile comes into view, not at the next health check.
    surface->setVisible(true);
    QVERIFY(player->decoding());
    QTRY_VERIFY_WITH_TIMEOUT(player->videoOutput().displayedFrames() >= idle + 10, streamWaitMs);
    QCOMPARE(decoding.count(), 2);
    QVERIFY(!player->stalled());

    // A minimised window hides its surfaces too.
    view.showMinimized();
    QTRY_VERIFY_WITH_TIMEOUT(!player->decoding(), streamWaitMs);
}

// Starting a live input afresh joins it between key frames; what the decoder
// makes of pictures predicted from nothing must never reach the screen.
void TestVideoWindow::catchUpShowsOnlyWholePictures()
{
    // ffmpeg's decode of the first picture as the decoder's own planes, luma first.
    const QString rawPath = m_media.path(QStringLiteral("reference.yuv"));
    QVERIFY(TestMedia::runFfmpeg({"-i", m_clip, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "yuv420p", rawPath}));
    QFile rawFile(rawPath);
    QVERIFY(rawFile.open(QIODevice::ReadOnly));
    const QByteArray luma = rawFile.read(streamSize.width() * streamSize.height());
    QCOMPARE(luma.size(), streamSize.width() * streamSize.height());

    OneSurfaceScene scene;
    QVERIFY(scene.load(m_media, m_clip, QStringLiteral("catch-up")));
    QmlVlcPlayer* player = scene.player;
    QmlVlcVideoSurface* surface = scene.surface;

    QStringList broken;
    int checked = 0;
    QObject watcher;
    connect(&player->videoOutput(), &QmlVlcVideoOutput::frameDelivered, &watcher, [&] {
        const auto frame = surface->currentFrame();
        if (!frame)
            return;
        ++checked;
        const int pitch = static_cast<int>(frame->yPlaneSize / frame->height);
        for (const QRect& region : staticRegions()) {
            const double diff = std::abs(meanLuma(frame->yPlane, pitch, region)
                                         - meanLuma(luma.constData(), streamSize.width(), region));
            if (diff > colourTolerance)
                broken << QStringLiteral("picture %1, region %2,%3: luma off by %4")
                              .arg(checked).arg(region.x()).arg(region.y()).arg(diff);
        }
    });
    scene.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scene.view));
    QTRY_VERIFY_WITH_TIMEOUT(player->videoOutput().displayedFrames() >= 10, streamWaitMs);
    QList<int> states;
    connect(player, &QmlVlcPlayerProxy::stateChanged, &watcher, [&states](QmlVlcPlayerProxy::State state) { states << state; });

    for (int restart = 0; restart < 3; ++restart) {
        player->catchUpWithLive();
        // The restart is the player's own business: the tile still plays.
        QCOMPARE(player->state(), QmlVlcPlayerProxy::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(!player->player().busy(), streamWaitMs);
        // Past the new input's first key frame, a second away at most.
        const unsigned restarted = player->videoOutput().displayedFrames();
        QTRY_VERIFY_WITH_TIMEOUT(player->videoOutput().displayedFrames() >= restarted + 30, streamWaitMs);
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.mid(0, 5).join(QStringLiteral("; "))));
    QVERIFY(checked >= 30);
    QVERIFY(player->liveCatchUps() >= 3);
    // libvlc reports its cache filling as Buffering while it plays on.
    states.removeAll(QmlVlcPlayerProxy::Buffering);
    QCOMPARE(states, QList<int>());
    QCOMPARE(player->state(), QmlVlcPlayerProxy::Playing);
    QVERIFY(!player->stalled());
}

void TestVideoWindow::cleanupTestCase()
{
    // Destroyed players release their libvlc players on their workers; let
    // them finish before the process exits.
    QVERIFY(vlc::command_queue::wait_for_all(std::chrono::milliseconds(30000)));
}

QTEST_MAIN(TestVideoWindow)
#include "tst_video_window.moc"
