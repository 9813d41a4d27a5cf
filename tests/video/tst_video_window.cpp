// End to end: a live RTP H.264 stream shown by two surfaces in a real window.
#include <QtTest>

#include <QQmlContext>
#include <QQuickView>

#include "ImageCompare.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"
#include "RtpSender.h"
#include "TestMedia.h"

namespace {
constexpr int streamWaitMs = 20000;
constexpr double colourTolerance = 24.0;
const QSize streamSize(640, 360);

// Regions of the test pattern that do not move: the colour bars above the
// counter and below the scrolling gradient.
QList<QRect> staticRegions()
{
    QList<QRect> regions;
    for (int bar = 0; bar < 8; ++bar) {
        regions << QRect(30 + 80 * bar, 20, 20, 20);
        regions << QRect(30 + 80 * bar, 330, 20, 20);
    }
    return regions;
}

const QRect gradientRegion(0, 280, 640, 25);
} // namespace

class TestVideoWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void liveStreamReachesBothSurfaces();
    void stoppedStreamBlanksSurfaces();

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
    QTRY_VERIFY_WITH_TIMEOUT(m_player->videoOutput().displayedFrames() >= shown + 40, streamWaitMs);
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

QTEST_MAIN(TestVideoWindow)
#include "tst_video_window.moc"
