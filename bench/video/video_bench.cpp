// Video benchmark, run under Xvfb (see bench/video/README.md). Prints CPU cost of
// showing live RTP H.264 streams beside cvlc and ffmpeg, frames delivered
// against frames sent, the largest frame pool, a grid of 1 to 16 tiles, and
// how the GUI fares when players on dead streams are stopped and destroyed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>

#include "BenchTiming.h"
#include "CpuMeter.h"
#include "CpuSpan.h"
#include "CvlcCommand.h"
#include "EventLoopGap.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcFrameSink.h"
#include "QmlVlcFrameTextures.h"
#include "QmlVlcPlayer.h"
#include "QmlVlcVideoSurface.h"
#include "RtpSender.h"
#include "TestMedia.h"
#include "vlc/command_queue.h"

namespace {
constexpr double sentFps = 25.0;
constexpr double measureSeconds = 10.0;
constexpr double tileSeconds = 6.0;

void runFor(double seconds)
{
    BenchTiming::runFor(static_cast<int>(seconds * 1000));
}

using BenchTiming::waitUntil;

QString makeClip(TestMedia& media, const QSize& size)
{
    const QString out = media.path(QStringLiteral("bench-%1x%2.mp4").arg(size.width()).arg(size.height()));
    const int kbps = size.width() * size.height() / 400;
    const bool ok = TestMedia::runFfmpeg(
        {"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1x%2:rate=25").arg(size.width()).arg(size.height()),
         "-vf", "noise=alls=12:allf=t", "-t", "10", "-c:v", "libx264", "-preset", "veryfast",
         "-b:v", QStringLiteral("%1k").arg(kbps), "-pix_fmt", "yuv420p", "-g", "25", out},
        300000);
    return ok ? out : QString();
}

// Repeater delegates are children of their visual parent only, so walk items.
template <class T>
void collectObjects(QQuickItem* item, QList<T*>& objects)
{
    objects += item->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly);
    for (QQuickItem* child : item->childItems())
        collectObjects(child, objects);
}

struct ClientFigures
{
    bool ok = false;
    double cpuPerSecond = 0;
    double serverCpuPerSecond = 0;
    double minFps = 0;
    double meanFps = 0;
    double renderFps = 0;
    // Pictures the window drew per tile and second (texture uploads).
    double drawnFps = 0;
    unsigned largestPool = 0;
    // Live players that fell behind and started afresh while measured.
    unsigned catchUps = 0;
};

// Opens the grid window over the streams and waits until every tile shows pictures.
bool showTiles(QQuickView& view, const QStringList& mrls, const QSize& tile, bool drawn, QList<QmlVlcPlayer*>& players)
{
    const int columns = std::min(static_cast<int>(mrls.size()), 1920 / tile.width());
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.rootContext()->setContextProperty(QStringLiteral("mrls"), mrls);
    view.rootContext()->setContextProperty(QStringLiteral("columns"), columns);
    view.rootContext()->setContextProperty(QStringLiteral("tileWidth"), tile.width());
    view.rootContext()->setContextProperty(QStringLiteral("tileHeight"), tile.height());
    view.rootContext()->setContextProperty(QStringLiteral("drawn"), drawn);
    view.setSource(QUrl::fromLocalFile(QStringLiteral(BENCH_SCENES "/Tiles.qml")));
    if (view.status() != QQuickView::Ready)
        return false;
    view.show();
    collectObjects(view.rootObject(), players);
    auto allShowing = [&players] {
        for (QmlVlcPlayer* player : players) {
            // A hidden tile may stop decoding before its first picture.
            if (player->videoOutput().displayedFrames() == 0 && player->decoding())
                return false;
        }
        return true;
    };
    return players.size() == mrls.size() && waitUntil(allShowing, 30000);
}

ClientFigures measureClient(const QStringList& mrls, const QSize& tile, bool drawn, double seconds)
{
    ClientFigures figures;
    QQuickView view;
    int swapped = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&swapped] { ++swapped; });
    QList<QmlVlcPlayer*> players;
    if (!showTiles(view, mrls, tile, drawn, players))
        return figures;
    // Players that opened at once on a busy machine fall behind and start
    // afresh in their first seconds: figures are taken once that settled.
    runFor(10.0);

    std::vector<unsigned> before;
    unsigned catchUpsBefore = 0;
    for (QmlVlcPlayer* player : players) {
        before.push_back(player->videoOutput().displayedFrames());
        catchUpsBefore += player->liveCatchUps();
    }
    const int swappedBefore = swapped;
    const quint64 uploadsBefore = QmlVlcFrameTextures::uploads();
    const CpuSpan span;
    runFor(seconds);
    const double elapsed = span.elapsedSeconds();
    figures.cpuPerSecond = span.selfPerSecond();
    figures.serverCpuPerSecond = span.displayServerPerSecond();
    figures.renderFps = (swapped - swappedBefore) / elapsed;
    figures.drawnFps = static_cast<double>(QmlVlcFrameTextures::uploads() - uploadsBefore) / elapsed / players.size();
    figures.minFps = 1e9;
    for (int i = 0; i < players.size(); ++i) {
        const double fps = (players[i]->videoOutput().displayedFrames() - before[static_cast<size_t>(i)]) / elapsed;
        figures.minFps = std::min(figures.minFps, fps);
        figures.meanFps += fps / players.size();
        figures.largestPool = std::max(figures.largestPool, players[i]->videoOutput().largestPoolSize());
        figures.catchUps += players[i]->liveCatchUps();
    }
    figures.catchUps -= catchUpsBefore;
    for (QmlVlcPlayer* player : players)
        player->stop();
    figures.ok = true;
    return figures;
}

struct ExternalFigures
{
    double cpuPerSecond = -1;
    double serverCpuPerSecond = 0;
};

// CPU seconds per second of an external player of the same stream, and of
// the X server meanwhile.
ExternalFigures measureExternal(const std::function<void(QProcess&)>& start, double seconds)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    start(process);
    ExternalFigures figures;
    if (!process.waitForStarted(10000))
        return figures;
    runFor(4.0);
    const qint64 server = CpuMeter::displayServerPid();
    const double before = CpuMeter::processSeconds(process.processId());
    const double serverBefore = CpuMeter::processSeconds(server);
    QElapsedTimer clock;
    clock.start();
    runFor(seconds);
    const double after = CpuMeter::processSeconds(process.processId());
    const double elapsed = clock.elapsed() / 1000.0;
    figures.serverCpuPerSecond = (CpuMeter::processSeconds(server) - serverBefore) / elapsed;
    process.kill();
    process.waitForFinished(5000);
    if (before >= 0 && after >= 0)
        figures.cpuPerSecond = (after - before) / elapsed;
    return figures;
}

ExternalFigures cvlcShowing(const QString& sdp, double seconds)
{
    return measureExternal([&sdp](QProcess& process) { CvlcCommand::startShowing(process, sdp); }, seconds);
}

ExternalFigures ffmpegDecoding(const QString& sdp, double seconds)
{
    return measureExternal(
        [&sdp](QProcess& process) {
            process.start(QStringLiteral("ffmpeg"), {"-hide_banner", "-loglevel", "error", "-nostdin",
                                                     "-protocol_whitelist", "file,udp,rtp", "-i", sdp, "-f", "null", "-"});
        },
        seconds);
}

void benchOneStream(TestMedia& media, const QSize& size)
{
    const QString clip = makeClip(media, size);
    if (clip.isEmpty()) {
        std::printf("%dx%d: could not make the clip\n", size.width(), size.height());
        return;
    }
    const QString sdp = media.path(QStringLiteral("one-%1.sdp").arg(size.height()));
    RtpSender sender;
    if (!sender.start(clip, sdp) || !waitUntil([&sdp] { return QFileInfo(sdp).size() > 0; }, 10000)) {
        std::printf("%dx%d: sender did not start\n", size.width(), size.height());
        return;
    }
    const ClientFigures client = measureClient({QStringLiteral("file:///") + sdp}, size, true, measureSeconds);
    const ClientFigures hidden = measureClient({QStringLiteral("file:///") + sdp}, size, false, measureSeconds);
    const ExternalFigures cvlc = cvlcShowing(sdp, measureSeconds);
    const ExternalFigures ffmpeg = ffmpegDecoding(sdp, measureSeconds);
    if (!client.ok) {
        std::printf("%dx%d: the client showed no picture\n", size.width(), size.height());
        return;
    }
    std::printf("%dx%d 25 fps, one stream in a window:\n", size.width(), size.height());
    std::printf("  client          %.3f CPU s/s (+ X server %.3f), frames delivered %.2f/s of %.0f sent, window %.1f frames/s, largest pool %u\n",
                client.cpuPerSecond, client.serverCpuPerSecond, client.meanFps, sentFps, client.renderFps,
                client.largestPool);
    if (hidden.ok)
        std::printf("  client, surface hidden (decoding turns off after a second) %.3f CPU s/s, frames %.2f/s\n",
                    hidden.cpuPerSecond, hidden.meanFps);
    const double clientTotal = client.cpuPerSecond + client.serverCpuPerSecond;
    const double cvlcTotal = cvlc.cpuPerSecond + cvlc.serverCpuPerSecond;
    std::printf("  cvlc (window)   %.3f CPU s/s (+ X server %.3f) -> client/cvlc %.2f, with X server %.2f\n",
                cvlc.cpuPerSecond, cvlc.serverCpuPerSecond,
                cvlc.cpuPerSecond > 0 ? client.cpuPerSecond / cvlc.cpuPerSecond : 0,
                cvlcTotal > 0 ? clientTotal / cvlcTotal : 0);
    std::printf("  ffmpeg decode   %.3f CPU s/s -> client/ffmpeg %.2f, hidden client/ffmpeg %.2f\n",
                ffmpeg.cpuPerSecond, ffmpeg.cpuPerSecond > 0 ? client.cpuPerSecond / ffmpeg.cpuPerSecond : 0,
                ffmpeg.cpuPerSecond > 0 && hidden.ok ? hidden.cpuPerSecond / ffmpeg.cpuPerSecond : 0);
    std::fflush(stdout);
}

struct StreamSet
{
    std::vector<std::unique_ptr<RtpSender>> senders;
    QStringList mrls;
};

bool startStreams(TestMedia& media, const QString& clip, int count, const QString& name, StreamSet& set)
{
    for (int i = 0; i < count; ++i) {
        const QString sdp = media.path(QStringLiteral("%1-%2.sdp").arg(name).arg(i));
        set.senders.push_back(std::make_unique<RtpSender>());
        if (!set.senders.back()->start(clip, sdp) || !waitUntil([&sdp] { return QFileInfo(sdp).size() > 0; }, 10000))
            return false;
        set.mrls << QStringLiteral("file:///") + sdp;
    }
    return true;
}

// CPU per stream of cvlc showing one stream of the clip in its own window.
double cvlcPerStream(TestMedia& media, const QString& clip, const QString& name)
{
    StreamSet set;
    if (!startStreams(media, clip, 1, name, set))
        return -1;
    return cvlcShowing(set.mrls.first().mid(8), tileSeconds).cpuPerSecond;
}

// CPU per stream of ffmpeg decoding one stream of the clip to nothing.
double ffmpegPerStream(TestMedia& media, const QString& clip, const QString& name)
{
    StreamSet set;
    if (!startStreams(media, clip, 1, name, set))
        return -1;
    return ffmpegDecoding(set.mrls.first().mid(8), tileSeconds).cpuPerSecond;
}

// The desktop's grid: tiles drawn at 480x270, four across.
void benchGrid(TestMedia& media)
{
    const QSize tile(480, 270);
    struct Case { QSize stream; int count; };
    const Case cases[] = {{{640, 360}, 1}, {{640, 360}, 4}, {{640, 360}, 9}, {{640, 360}, 16}, {{1280, 720}, 16}};
    QString clips[2] = {makeClip(media, QSize(640, 360)), makeClip(media, QSize(1280, 720))};
    if (clips[0].isEmpty() || clips[1].isEmpty())
        return;
    const double cvlc360 = cvlcPerStream(media, clips[0], QStringLiteral("cvlc360"));
    const double cvlc720 = cvlcPerStream(media, clips[1], QStringLiteral("cvlc720"));
    const double ffmpeg360 = ffmpegPerStream(media, clips[0], QStringLiteral("ffmpeg360"));
    const double ffmpeg720 = ffmpegPerStream(media, clips[1], QStringLiteral("ffmpeg720"));
    std::printf("Grid of tiles drawn %dx%d (one stream: cvlc in its own window 360p %.3f, 720p %.3f CPU s/s;"
                " ffmpeg -f null 360p %.3f, 720p %.3f):\n",
                tile.width(), tile.height(), cvlc360, cvlc720, ffmpeg360, ffmpeg720);
    for (const Case& c : cases) {
        const QString& clip = clips[c.stream.height() == 360 ? 0 : 1];
        StreamSet set;
        if (!startStreams(media, clip, c.count, QStringLiteral("grid-%1-%2").arg(c.stream.height()).arg(c.count), set)) {
            std::printf("  senders did not start\n");
            return;
        }
        const ClientFigures f = measureClient(set.mrls, tile, true, tileSeconds);
        const double cvlc = c.stream.height() == 360 ? cvlc360 : cvlc720;
        const double perStream = f.cpuPerSecond / c.count;
        const double ffmpeg = c.stream.height() == 360 ? ffmpeg360 : ffmpeg720;
        std::printf("  %2d x %dp: %.3f CPU s/s per stream (client/cvlc %.2f, client/ffmpeg %.2f), slowest tile %.1f fps,"
                    " mean %.1f delivered of %.0f sent, %u catch-ups, window %.1f redraws/s, X server %.3f CPU s/s%s\n",
                    c.count, c.stream.height(), perStream, cvlc > 0 ? perStream / cvlc : 0,
                    ffmpeg > 0 ? perStream / ffmpeg : 0, f.minFps, f.meanFps, sentFps, f.catchUps, f.renderFps,
                    f.serverCpuPerSecond, f.ok ? "" : " (no picture)");
        std::fflush(stdout);
    }
}

// Live decoder options, one stream and sixteen 640x360 streams drawn as the
// desktop's tiles, against cvlc showing one such stream in the same run.
void benchDecoderOptions(TestMedia& media, const std::vector<int>& counts)
{
    const QSize tile(480, 270);
    const QString clip = makeClip(media, QSize(640, 360));
    if (clip.isEmpty())
        return;
    const double cvlc = cvlcPerStream(media, clip, QStringLiteral("options-cvlc"));
    struct Variant { const char* name; QStringList options; };
    const Variant variants[] = {
        {"libvlc defaults", {}},
        {"corrupted pictures shown", {":avcodec-corrupted"}},
        {"threads=1", {":avcodec-threads=1"}},
        {"threads=2", {":avcodec-threads=2"}},
        {"skiploopfilter=4", {":avcodec-skiploopfilter=4"}},
        {"fast", {":avcodec-fast"}},
        {"threads=1 skiploopfilter=4", {":avcodec-threads=1", ":avcodec-skiploopfilter=4"}},
        {"chosen", QmlVlcConfig::defaultLiveDecoderOptions()},
    };
    std::printf("Live decoder options, tiles drawn %dx%d from 640x360 (cvlc in its own window = 1: %.3f CPU s/s):\n",
                tile.width(), tile.height(), cvlc);
    int run = 0;
    for (const int count : counts) {
        for (const Variant& variant : variants) {
            // Fresh streams on fresh ports, and the last players' releases
            // done, so that no case waits on the one before it.
            vlc::command_queue::wait_for_all(std::chrono::milliseconds(60000));
            StreamSet set;
            if (!startStreams(media, clip, count, QStringLiteral("options-%1").arg(++run), set)) {
                std::printf("  senders did not start\n");
                return;
            }
            QmlVlcConfig::instance().setLiveDecoderOptions(variant.options);
            const ClientFigures f = measureClient(set.mrls, tile, true, tileSeconds);
            const double perStream = f.cpuPerSecond / count;
            std::printf("  %2d x 360p %-28s %.3f CPU s/s per stream (client/cvlc %.2f), delivered slowest %.1f"
                        " mean %.1f fps, drawn %.1f fps per tile, window %.1f redraws/s%s\n",
                        count, variant.name, perStream, cvlc > 0 ? perStream / cvlc : 0, f.minFps, f.meanFps,
                        f.drawnFps, f.renderFps, f.ok ? "" : " (no picture)");
            std::fflush(stdout);
        }
    }
}

// Live players under load (sixteen 640x360 tiles on two cores): five streams
// are cut one after another; a player that keeps up with live shows its last
// picture right after the cut and turns stalled its stall time after that.
void benchLag(TestMedia& media, int tiles)
{
    const QString clip = makeClip(media, QSize(640, 360));
    StreamSet set;
    if (clip.isEmpty() || !startStreams(media, clip, std::max(tiles, 5), QStringLiteral("lag"), set)) {
        std::printf("Lag: the streams did not start\n");
        return;
    }
    QQuickView view;
    QList<QmlVlcPlayer*> players;
    if (!showTiles(view, set.mrls, QSize(480, 270), true, players)) {
        std::printf("Lag: the players showed no picture\n");
        return;
    }
    runFor(5.0);
    std::printf("Lag of %d live 640x360 tiles, streams cut one by one (stall after %d ms):\n",
                static_cast<int>(players.size()), QmlVlcPlayer::defaultStallTimeoutMs);
    double sumLast = 0;
    double sumStalled = 0;
    int runs = 0;
    for (int i = 0; i < 5; ++i) {
        QmlVlcPlayer* player = players[i];
        const unsigned framesAtCut = player->videoOutput().displayedFrames();
        set.senders[static_cast<size_t>(i)]->die();
        const qint64 cut = QmlVlcFrameSink::monotonicMs();
        if (!waitUntil([player] { return player->stalled(); }, 60000)) {
            std::printf("  cut %d: not stalled within 60 s\n", i + 1);
            continue;
        }
        const qint64 stalled = QmlVlcFrameSink::monotonicMs();
        const double last = (player->videoOutput().lastFrameMs() - cut) / 1000.0;
        std::printf("  cut %d: last picture %.2f s after the cut (%u pictures shown after it), stalled after %.2f s\n",
                    i + 1, last, player->videoOutput().displayedFrames() - framesAtCut, (stalled - cut) / 1000.0);
        sumLast += last;
        sumStalled += (stalled - cut) / 1000.0;
        ++runs;
        std::fflush(stdout);
    }
    unsigned catchUps = 0;
    for (QmlVlcPlayer* player : players)
        catchUps += player->liveCatchUps();
    if (runs > 0)
        std::printf("  mean: last picture %.2f s after the cut, stalled after %.2f s; queues dropped to catch up: %u\n",
                    sumLast / runs, sumStalled / runs, catchUps);
    for (QmlVlcPlayer* player : players)
        player->stop();
    std::fflush(stdout);
}

// A tile hidden long enough to stop decoding, then shown again: how long
// until its first new picture (the decoder starts at the next key frame).
void benchResume(TestMedia& media)
{
    const QString clip = makeClip(media, QSize(640, 360));
    StreamSet set;
    if (clip.isEmpty() || !startStreams(media, clip, 1, QStringLiteral("resume"), set))
        return;
    QQuickView view;
    QList<QmlVlcPlayer*> players;
    if (!showTiles(view, set.mrls, QSize(640, 360), true, players)) {
        std::printf("Resume: the tile showed no picture\n");
        return;
    }
    QList<QmlVlcVideoSurface*> surfaces;
    collectObjects(view.rootObject(), surfaces);
    QmlVlcVideoSurface* surface = surfaces.value(0);
    QmlVlcPlayer* player = players.first();
    if (!surface)
        return;
    QStringList waits;
    qint64 longest = 0;
    for (int round = 0; round < 5; ++round) {
        surface->setVisible(false);
        waitUntil([player] { return !player->decoding(); }, 5000);
        // Start at different places of the stream's second between key frames.
        runFor(1.0 + 0.2 * round);
        const unsigned shown = player->videoOutput().displayedFrames();
        QElapsedTimer clock;
        clock.start();
        surface->setVisible(true);
        const bool resumed = waitUntil([player, shown] { return player->videoOutput().displayedFrames() > shown; }, 10000);
        waits << (resumed ? QString::number(clock.elapsed()) : QStringLiteral("none"));
        longest = std::max(longest, clock.elapsed());
    }
    std::printf("Resume: a hidden 640x360 tile shown again shows a new picture after %s ms (longest %lld;"
                " a key frame every second)\n", qPrintable(waits.join(QStringLiteral(", "))),
                static_cast<long long>(longest));
    player->stop();
    std::fflush(stdout);
}

// Players on streams that died: the longest gap of the GUI event loop while
// eight of them are stopped at once, and how long destroying sixteen takes.
void benchDeadStreams(TestMedia& media)
{
    const QString clip = makeClip(media, QSize(640, 360));
    StreamSet set;
    if (clip.isEmpty() || !startStreams(media, clip, 16, QStringLiteral("dead"), set))
        return;
    std::vector<std::unique_ptr<QmlVlcPlayer>> players;
    for (const QString& mrl : qAsConst(set.mrls)) {
        players.push_back(std::make_unique<QmlVlcPlayer>());
        players.back()->classBegin();
        players.back()->play(mrl);
    }
    // Streams that die while libvlc still opens them end instead of stalling.
    const bool showing = waitUntil([&players] {
        for (const auto& player : players) {
            if (player->frameRate() <= 20)
                return false;
        }
        return true;
    }, 30000);
    for (auto& sender : set.senders)
        sender->die();
    auto stalledCount = [&players] {
        return std::count_if(players.begin(), players.end(), [](const auto& player) { return player->stalled(); });
    };
    // libvlc ends a dead input some seconds after it stalls: stop eight while they are stalled.
    waitUntil([&] { return stalledCount() >= 8; }, 30000);
    if (!showing) {
        std::printf("Dead streams: players did not show pictures\n");
        return;
    }
    QStringList states;
    for (const auto& player : players)
        states << QString::number(player->state());
    std::printf("Dead streams: %ld of 16 players stalled, states %s\n", static_cast<long>(stalledCount()),
                qPrintable(states.join(' ')));
    EventLoopGap gap;
    gap.start();
    QTimer::singleShot(0, [&players] {
        int stopped = 0;
        for (const auto& player : players) {
            if (stopped < 8 && player->stalled()) {
                player->stop();
                ++stopped;
            }
        }
    });
    runFor(1.0);
    gap.stop();
    const qint64 longest = gap.longestMs();
    QElapsedTimer destroy;
    destroy.start();
    players.clear();
    const qint64 destroyMs = destroy.elapsed();
    const bool released = vlc::command_queue::wait_for_all(std::chrono::milliseconds(3000));
    std::printf("Dead streams: longest GUI stall while stopping 8 at once %lld ms (target < 50);"
                " destroying 16 returned in %lld ms; background releases %s within 3 s\n",
                static_cast<long long>(longest), static_cast<long long>(destroyMs),
                released ? "finished" : "not finished");
    std::fflush(stdout);
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QmlVlc::registerTypes();
    QmlVlc::registerPlayerStateEnum();
    QmlVlcConfig& config = QmlVlcConfig::instance();
    config.enableMarqueeFilter(false);
    config.enableAdjustFilter(false);
    config.enableLogoFilter(false);
    config.enableDebug(false);
    config.setNetworkCacheTime(200);
    config.enableHardwareAcceleration(true);

    TestMedia media;
    if (!media.isValid())
        return 1;
    // "grid", "lag", "options", "resume" or "dead" as the only argument runs that part alone
    // ("options", the live decoder options, runs only when asked for).
    // --decoder=<libvlc option> (repeatable) measures the client with that decoder option;
    // --tiles=N sets how many tiles play while streams are cut in "lag" (at least five),
    // and the only tile count of "options" (1 and 16 otherwise);
    // --no-catch-up lets live players fall behind, for comparison.
    QStringList args;
    QStringList decoder;
    int tiles = 0;
    for (const QString& arg : app.arguments().mid(1)) {
        if (arg.startsWith(QLatin1String("--decoder=")))
            decoder << arg.mid(10);
        else if (arg.startsWith(QLatin1String("--tiles=")))
            tiles = std::max(1, arg.mid(8).toInt());
        else if (arg == QLatin1String("--no-catch-up"))
            config.enableLiveCatchUp(false);
        else
            args << arg;
    }
    config.setDecoderArguments(decoder);
    if (!decoder.isEmpty())
        std::printf("Decoder options: %s\n", qPrintable(decoder.join(' ')));
    if (!config.liveCatchUp())
        std::printf("Live players do not catch up\n");
    if (args.isEmpty()) {
        benchOneStream(media, QSize(1280, 720));
        benchOneStream(media, QSize(1920, 1080));
    }
    if (args.isEmpty() || args.contains(QStringLiteral("grid")))
        benchGrid(media);
    if (args.isEmpty() || args.contains(QStringLiteral("lag")))
        benchLag(media, tiles ? tiles : 16);
    if (args.contains(QStringLiteral("options")))
        benchDecoderOptions(media, tiles ? std::vector<int>{tiles} : std::vector<int>{1, 16});
    if (args.isEmpty() || args.contains(QStringLiteral("resume")))
        benchResume(media);
    if (args.isEmpty() || args.contains(QStringLiteral("dead")))
        benchDeadStreams(media);
    return 0;
}
