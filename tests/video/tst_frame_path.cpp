// The frame path: format negotiation, pool reuse, hand-over to surfaces and
// the fill-mode geometry, with real libvlc decoding real media.
#include <mutex>
#include <set>

#include <QtTest>

#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcFrameSink.h"
#include "QmlVlcVideoOutput.h"
#include "QmlVlcVideoSurface.h"
#include "QSGVlcVideoFrameMaterial.h"
#include "TestMedia.h"
#include "vlc/command_queue.h"
#include "vlc/player.h"

namespace {
constexpr int waitMs = 15000;

// Remembers every Y plane handed to libvlc for decoding.
class RecordingSink : public QmlVlcFrameSink
{
public:
    bool wasDecodeTarget(const char* plane)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_planes.count(plane) > 0;
    }

protected:
    void* video_lock_cb(void** planes) override
    {
        void* picture = QmlVlcFrameSink::video_lock_cb(planes);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_planes.insert(static_cast<const char*>(planes[0]));
        return picture;
    }

private:
    std::mutex m_mutex;
    std::set<const char*> m_planes;
};

quint16 checksum(const QmlVlcI420Frame& frame)
{
    return qChecksum(frame.frameBuf.constData(), static_cast<uint>(frame.frameBuf.size()));
}
} // namespace

class TestFramePath : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fillModeGeometry_data();
    void fillModeGeometry();
    void negotiatedGeometry_data();
    void negotiatedGeometry();
    void decodesInPlaceAndNeverOverwritesHeldFrames();
    void materialsDifferByOutputAndFrame();
    void sizeChangeKeepsLastPicture();
    void surfacesShareFramesAndDetach();

private:
    TestMedia m_media;
    QString m_clip;
};

void TestFramePath::initTestCase()
{
    QmlVlc::registerTypes();
    QmlVlcConfig::instance().setNetworkCacheTime(200);
    QVERIFY(m_media.isValid());
    m_clip = m_media.clip(QStringLiteral("clip.mp4"), QSize(640, 360), 10);
    QVERIFY(!m_clip.isEmpty());
}

void TestFramePath::fillModeGeometry_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSizeF>("frame");
    QTest::addColumn<QRectF>("itemRect");
    QTest::addColumn<QRectF>("texRect");
    const QSizeF wide(640, 360);
    const QSizeF tall(360, 640);
    QTest::newRow("fit wide") << int(QmlVlcVideoSurface::PreserveAspectFit) << wide
                              << QRectF(0, 87.5, 400, 225) << QRectF(0, 0, 1, 1);
    QTest::newRow("crop wide") << int(QmlVlcVideoSurface::PreserveAspectCrop) << wide
                               << QRectF(0, 0, 400, 400) << QRectF(0.21875, 0, 0.5625, 1);
    QTest::newRow("stretch wide") << int(QmlVlcVideoSurface::Stretch) << wide
                                  << QRectF(0, 0, 400, 400) << QRectF(0, 0, 1, 1);
    QTest::newRow("fit tall") << int(QmlVlcVideoSurface::PreserveAspectFit) << tall
                              << QRectF(87.5, 0, 225, 400) << QRectF(0, 0, 1, 1);
    QTest::newRow("crop tall") << int(QmlVlcVideoSurface::PreserveAspectCrop) << tall
                               << QRectF(0, 0, 400, 400) << QRectF(0, 0.21875, 1, 0.5625);
    QTest::newRow("fit square") << int(QmlVlcVideoSurface::PreserveAspectFit) << QSizeF(100, 100)
                                << QRectF(0, 0, 400, 400) << QRectF(0, 0, 1, 1);
}

void TestFramePath::fillModeGeometry()
{
    QFETCH(int, mode);
    QFETCH(QSizeF, frame);
    QFETCH(QRectF, itemRect);
    QFETCH(QRectF, texRect);
    const auto rects = QmlVlcVideoSurface::fillRects(static_cast<QmlVlcVideoSurface::FillMode>(mode),
                                                     QSizeF(400, 400), frame);
    QCOMPARE(rects.first, itemRect);
    QCOMPARE(rects.second, texRect);
}

void TestFramePath::negotiatedGeometry_data()
{
    QTest::addColumn<QSize>("streamSize");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("yPitch");
    QTest::addColumn<int>("uvPitch");
    QTest::newRow("641x361") << QSize(641, 361) << 642 << 362 << 644 << 324;
    QTest::newRow("640x360") << QSize(640, 360) << 640 << 360 << 640 << 320;
}

void TestFramePath::negotiatedGeometry()
{
    QFETCH(QSize, streamSize);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, yPitch);
    QFETCH(int, uvPitch);
    const QString clip = m_media.oddClip(QStringLiteral("geometry-%1.mkv").arg(streamSize.width()), streamSize, 3);
    QVERIFY(!clip.isEmpty());

    QmlVlcPlayer player;
    player.classBegin();
    QmlVlcVideoSurface surface;
    surface.setSource(&player);
    player.play(TestMedia::fileUrl(clip));
    QTRY_VERIFY_WITH_TIMEOUT(surface.currentFrame(), waitMs);

    const auto frame = surface.currentFrame();
    QCOMPARE(int(frame->width), width);
    QCOMPARE(int(frame->height), height);
    QCOMPARE(int(frame->yPlaneSize), yPitch * height);
    QCOMPARE(int(frame->uPlaneSize), uvPitch * (height / 2));
    QCOMPARE(int(frame->vPlaneSize), uvPitch * (height / 2));
    // Each plane on a 32-byte boundary, in order, inside the buffer.
    const char* begin = frame->frameBuf.constData();
    const char* end = begin + frame->frameBuf.size();
    for (const char* plane : {frame->yPlane, frame->uPlane, frame->vPlane})
        QCOMPARE(reinterpret_cast<quintptr>(plane) % 32, quintptr(0));
    QVERIFY(frame->yPlane >= begin && frame->yPlane - begin < 32);
    QVERIFY(frame->uPlane >= frame->yPlane + frame->yPlaneSize);
    QVERIFY(frame->vPlane >= frame->uPlane + frame->uPlaneSize);
    QVERIFY(frame->vPlane + frame->vPlaneSize <= end);
    QVERIFY(frame->frameBuf.size() < yPitch * height + 2 * uvPitch * (height / 2) + 4 * 32);

    // Padding repeats the picture's edge instead of leaving stale bytes.
    const auto luma = [&](int x, int y) { return frame->yPlane[y * yPitch + x]; };
    if (streamSize.width() < width) {
        for (int y = 0; y < streamSize.height(); ++y)
            QCOMPARE(luma(width - 1, y), luma(width - 2, y));
    }
    if (streamSize.height() < height) {
        for (int x = 0; x < width; ++x)
            QCOMPARE(luma(x, height - 1), luma(x, height - 2));
    }
    player.stop();
}

void TestFramePath::decodesInPlaceAndNeverOverwritesHeldFrames()
{
    libvlc_instance_t* libvlc = QmlVlcConfig::instance().getLibvlcInstance();
    QVERIFY(libvlc);
    auto player = std::make_shared<vlc::player>();
    QVERIFY(player->open(libvlc));
    {
        auto sink = std::make_shared<RecordingSink>();
        QmlVlcVideoOutput output(player, sink);
        QVERIFY(output.attachToPlayer());
        QmlVlcVideoSurface surface;
        output.registerVideoSurface(&surface);
        QCOMPARE(player->add_media(TestMedia::fileUrl(m_clip).toStdString(), {}, {}, false), 0);
        QVERIFY(player->play(0u));

        // Keep every picture seen: libvlc must decode into fresh buffers
        // while these are held, and must have decoded into these very bytes.
        std::vector<std::shared_ptr<const QmlVlcI420Frame>> held;
        std::vector<quint16> sums;
        auto collect = [&] {
            const auto frame = surface.currentFrame();
            if (frame && (held.empty() || held.back() != frame)) {
                held.push_back(frame);
                sums.push_back(checksum(*frame));
            }
            return held.size();
        };
        QTRY_VERIFY_WITH_TIMEOUT(collect() >= 12, waitMs);

        std::set<const char*> buffers;
        for (size_t i = 0; i < held.size(); ++i) {
            QVERIFY(sink->wasDecodeTarget(held[i]->yPlane));
            QVERIFY(held[i]->yPlane - held[i]->frameBuf.constData() < 32);
            QCOMPARE(checksum(*held[i]), sums[i]);
            buffers.insert(held[i]->yPlane);
        }
        QCOMPARE(buffers.size(), held.size());
        QVERIFY(output.largestPoolSize() >= held.size());
        player->stop();
    }
    player->close();
    QmlVlcConfig::instance().releaseLibvlcInstance(libvlc);
}

void TestFramePath::surfacesShareFramesAndDetach()
{
    auto player = std::make_unique<QmlVlcPlayer>();
    player->classBegin();
    QmlVlcVideoSurface left;
    QmlVlcVideoSurface right;
    QSignalSpy sourceSpy(&right, &QmlVlcVideoSurface::sourceChanged);
    left.setSource(player.get());
    right.setSource(player.get());
    QCOMPARE(sourceSpy.count(), 1);
    right.setSource(player.get());
    QCOMPARE(sourceSpy.count(), 1);
    QCOMPARE(player->videoOutput().videoSurfaces().size(), 2);

    player->play(TestMedia::fileUrl(m_clip));
    QTRY_VERIFY_WITH_TIMEOUT(left.currentFrame() && right.currentFrame(), waitMs);
    QCOMPARE(left.currentFrame().get(), right.currentFrame().get());

    right.setSource(nullptr);
    QCOMPARE(sourceSpy.count(), 2);
    QVERIFY(!right.currentFrame());
    QCOMPARE(player->videoOutput().videoSurfaces(), QList<QmlVlcVideoSurface*>{&left});
    const auto before = left.currentFrame();
    QTRY_VERIFY_WITH_TIMEOUT(left.currentFrame() && left.currentFrame() != before, waitMs);
    QVERIFY(!right.currentFrame());

    // Cleanup hands every attached surface the null frame.
    right.setSource(player.get());
    QTRY_VERIFY_WITH_TIMEOUT(right.currentFrame(), waitMs);
    player->stop();
    QTRY_VERIFY_WITH_TIMEOUT(!left.currentFrame() && !right.currentFrame(), waitMs);

    // A destroyed source reads as null; the surface keeps its last picture.
    player->play();
    QTRY_VERIFY_WITH_TIMEOUT(left.currentFrame(), waitMs);
    player.reset();
    QVERIFY(!left.source());
    QVERIFY(left.currentFrame());
}

void TestFramePath::materialsDifferByOutputAndFrame()
{
    auto first = std::make_shared<QmlVlcI420Frame>();
    first->serial = 1;
    auto second = std::make_shared<QmlVlcI420Frame>();
    second->serial = 2;

    // Fresh materials: nothing uploaded yet, yet they must not pass for one another.
    QSGVlcVideoFrameMaterial a;
    QSGVlcVideoFrameMaterial b;
    a.setFrame(1, first);
    b.setFrame(2, first);
    QVERIFY(a.compare(&b) != 0);
    QCOMPARE(a.compare(&b), -b.compare(&a));

    b.setFrame(1, second);
    QVERIFY(a.compare(&b) != 0);
    b.setFrame(1, first);
    QCOMPARE(a.compare(&b), 0);
}

void TestFramePath::sizeChangeKeepsLastPicture()
{
    // Two elementary streams back to back: the second brings its own
    // parameter sets with a new picture size.
    QByteArray stream;
    for (const QSize& size : {QSize(640, 360), QSize(320, 180)}) {
        const QString part = m_media.path(QStringLiteral("part-%1.h264").arg(size.width()));
        QVERIFY(TestMedia::runFfmpeg({"-f", "lavfi", "-i",
                                      QStringLiteral("testsrc=size=%1x%2:rate=25").arg(size.width()).arg(size.height()),
                                      "-t", "2", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
                                      "-g", "25", "-f", "h264", part}));
        QFile file(part);
        QVERIFY(file.open(QIODevice::ReadOnly));
        stream += file.readAll();
    }
    const QString raw = m_media.path(QStringLiteral("resized.h264"));
    QFile rawFile(raw);
    QVERIFY(rawFile.open(QIODevice::WriteOnly) && rawFile.write(stream) == stream.size());
    rawFile.close();
    const QString both = m_media.path(QStringLiteral("resized.ts"));
    QVERIFY(TestMedia::runFfmpeg({"-r", "25", "-i", raw, "-c", "copy", both}));

    QmlVlcPlayer player;
    player.classBegin();
    QmlVlcVideoSurface surface;
    surface.setSource(&player);
    QList<QSize> sizes;
    bool blankWhilePlaying = false;
    // Samples on every pass of the event loop, so a blank of one tick shows.
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        if (player.state() != QmlVlcPlayerProxy::Playing)
            return;
        const auto frame = surface.currentFrame();
        if (!frame) {
            blankWhilePlaying = blankWhilePlaying || !sizes.isEmpty();
            return;
        }
        const QSize size(frame->width, frame->height);
        if (sizes.isEmpty() || sizes.last() != size)
            sizes << size;
    });
    sampler.start(0);
    QSignalSpy ended(&player, &QmlVlcPlayerProxy::mediaPlayerEndReached);
    player.play(TestMedia::fileUrl(both));
    QTRY_VERIFY_WITH_TIMEOUT(ended.count() > 0, waitMs);
    sampler.stop();
    // libvlc renegotiates the format more than once here (and may scale the
    // second half into the first size): each time the last picture stays.
    QVERIFY(!sizes.isEmpty());
    QVERIFY2(!blankWhilePlaying, qPrintable(QStringLiteral("%1 sizes").arg(sizes.size())));
    // Both halves were shown: the first holds 50 frames (a busy machine may drop
    // some late ones; a picture shown again does not count).
    const unsigned shown = player.videoOutput().displayedFrames();
    QVERIFY2(shown > 50, qPrintable(QString::number(shown)));
    player.stop();
}

void TestFramePath::cleanupTestCase()
{
    // Destroyed players release their libvlc players on their workers; let
    // them finish before the process exits.
    QVERIFY(vlc::command_queue::wait_for_all(std::chrono::milliseconds(30000)));
}

QTEST_MAIN(TestFramePath)
#include "tst_frame_path.moc"
