// Desktop bench, run under Xvfb (see README.md): the client's own window
// against the stand-in server with sixteen devices streaming a 640x360 clip.
// For 1, 4, 9 and 16 tiles it prints the client's CPU per shown stream beside
// cvlc playing the same streams in the same run, the frames each tile gets
// and how often the window redraws.
#include "BenchReport.h"
#include "BenchTiming.h"
#include "CpuMeter.h"
#include "CpuSpan.h"
#include "CvlcCommand.h"
#include "QmlVlcFrameTextures.h"
#include "QmlVlcPlayer.h"
#include "StandinControl.h"
#include "StandinProcess.h"
#include "StartupTestMain.h"
#include "TestMedia.h"
#include "UiTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kDevices = 16;
constexpr int kWarmUpMs = 4000;
// After a layout change the tiles it shows start decoding, and those with
// a stale backlog restart their input: figures are taken once that settled.
constexpr int kLayoutSettleMs = 10000;
constexpr int kMeasureMs = 10000;

using BenchTiming::runFor;
using BenchTiming::waitUntil;

using BenchReport::say;

int fail(const QString &why)
{
    return BenchReport::fail(QStringLiteral("desktop bench"), why);
}

// Parameter sets in every key frame (MPEG-TS), so that the server's SDP,
// which carries none, is enough for a player joining at any time.
QString makeClip(TestMedia &media)
{
    const QString out = media.path(QStringLiteral("desktop-640x360.ts"));
    const bool ok = TestMedia::runFfmpeg(
        {"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=25", "-vf", "noise=alls=12:allf=t", "-t", "10",
         "-c:v", "libx264", "-preset", "veryfast", "-b:v", "576k", "-pix_fmt", "yuv420p", "-g", "25",
         "-x264-params", "repeat-headers=1", out},
        300000);
    return ok ? out : QString();
}

QJsonArray streamingDevices(StandinControl &control)
{
    QJsonArray streaming;
    for (const QJsonValue &device : control.records(QStringLiteral("cam"))) {
        if (!device[QStringLiteral("sdp")].toString().isEmpty())
            streaming.append(device);
    }
    return streaming;
}

// Twelve more devices on the demo's IP cameras, tiles 4 to 15.
bool addDevices(StandinControl &control)
{
    QJsonObject camera;
    const QJsonArray devices = control.records(QStringLiteral("cam"));
    for (const QJsonValue &device : devices) {
        if (device[QStringLiteral("source")].toString().startsWith(QStringLiteral("rtsp")))
            camera = device.toObject();
    }
    if (camera.isEmpty())
        return false;
    for (const char *key : {"rowID", "dtInsert", "dtUpdate", "sdp", "recState"})
        camera.remove(QString::fromLatin1(key));
    for (int i = devices.size(); i < kDevices; ++i) {
        QJsonObject request = camera;
        request.insert(QStringLiteral("ctl"), QStringLiteral("cam"));
        request.insert(QStringLiteral("action"), QStringLiteral("trAdd"));
        request.insert(QStringLiteral("deviceName"), QStringLiteral("Bench %1").arg(i));
        request.insert(QStringLiteral("tileIndex"), i);
        if (control.ask(request).value(QStringLiteral("status")).toString() != QLatin1String("OK"))
            return false;
    }
    return waitUntil([&control] { return streamingDevices(control).size() >= kDevices; }, 120000);
}

// CPU seconds per second per stream of cvlc instances, one per stream, each in its own window.
double cvlcPerStream(const QJsonArray &devices, int count, const QString &folder)
{
    std::vector<std::unique_ptr<QProcess>> players;
    for (int i = 0; i < count; ++i) {
        const QString sdp = QStringLiteral("%1/cvlc-%2.sdp").arg(folder).arg(i);
        QFile file(sdp);
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        file.write(devices.at(i)[QStringLiteral("sdp")].toString().toUtf8());
        file.close();
        auto process = std::make_unique<QProcess>();
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        CvlcCommand::startShowing(*process, sdp);
        if (!process->waitForStarted(10000))
            return -1;
        players.push_back(std::move(process));
    }
    runFor(kWarmUpMs);
    const auto cpu = [&players] {
        double sum = 0;
        for (const auto &process : players)
            sum += std::max(0.0, CpuMeter::processSeconds(process->processId()));
        return sum;
    };
    const double before = cpu();
    QElapsedTimer clock;
    clock.start();
    runFor(kMeasureMs);
    const double perStream = (cpu() - before) / (clock.elapsed() / 1000.0) / count;
    for (const auto &process : players) {
        process->kill();
        process->waitForFinished(5000);
    }
    return perStream;
}

struct Tile
{
    QString status;
    QmlVlcPlayer *player = nullptr;
};

Tile tileOf(QQuickWindow *window, int index)
{
    Tile tile;
    QQuickItem *holder = UiTestSupport::item(window, QStringLiteral("tile_%1").arg(index));
    QObject *stream = holder ? holder->property("stream").value<QObject *>() : nullptr;
    if (stream) {
        tile.status = stream->property("status").toString();
        tile.player = qobject_cast<QmlVlcPlayer *>(stream->property("player").value<QObject *>());
    }
    return tile;
}

struct DesktopFigures
{
    double cpuPerStream = 0;
    double serverCpu = 0;
    double slowestFps = 1e9;
    double meanFps = 0;
    double redraws = 0;
    double drawnFps = 0;
    // From the click on the layout button until every tile was live.
    double liveAfterS = 0;
};

bool measureDesktop(QQuickWindow *window, int rows, DesktopFigures &figures)
{
    const int count = rows * rows;
    const QString button = QStringLiteral("layoutButton_S%1_%1").arg(rows);
    if (!waitUntil([window, &button] { return UiTestSupport::item(window, button) != nullptr; }, 30000)
        || !UiTestSupport::click(window, button))
        return false;
    const auto allLive = [window, count] {
        for (int i = 0; i < count; ++i) {
            const Tile tile = tileOf(window, i);
            if (tile.status != QLatin1String("live") || !tile.player)
                return false;
        }
        return true;
    };
    // Sixteen players opening at once on two cores take their time.
    QElapsedTimer switched;
    switched.start();
    if (!waitUntil(allLive, 180000)) {
        for (int i = 0; i < count; ++i)
            say(QStringLiteral("  tile %1: %2").arg(i).arg(tileOf(window, i).status));
        return false;
    }
    figures.liveAfterS = switched.elapsed() / 1000.0;
    runFor(kLayoutSettleMs);
    int swapped = 0;
    const QMetaObject::Connection counting =
        QObject::connect(window, &QQuickWindow::frameSwapped, [&swapped] { ++swapped; });
    std::vector<unsigned> before;
    for (int i = 0; i < count; ++i)
        before.push_back(tileOf(window, i).player->videoOutput().displayedFrames());
    const quint64 uploadsBefore = QmlVlcFrameTextures::uploads();
    const CpuSpan span;
    runFor(kMeasureMs);
    const double elapsed = span.elapsedSeconds();
    QObject::disconnect(counting);
    figures.cpuPerStream = span.selfPerSecond() / count;
    figures.serverCpu = span.displayServerPerSecond();
    figures.redraws = swapped / elapsed;
    figures.drawnFps = double(QmlVlcFrameTextures::uploads() - uploadsBefore) / elapsed / count;
    for (int i = 0; i < count; ++i) {
        const Tile tile = tileOf(window, i);
        if (!tile.player)
            return false;
        const double fps = (tile.player->videoOutput().displayedFrames() - before[size_t(i)]) / elapsed;
        figures.slowestFps = std::min(figures.slowestFps, fps);
        figures.meanFps += fps / count;
    }
    return true;
}

int runBench(LynClient::ClientStartup &startup)
{
    TestMedia media;
    const QString clip = makeClip(media);
    if (clip.isEmpty())
        return fail(QStringLiteral("could not make the clip"));
    StandinProcess server;
    if (!server.start({QStringLiteral("--live-clip"), clip}))
        return fail(QStringLiteral("the stand-in server did not start"));
    StandinControl control;
    if (!control.open(server.port()) || !addDevices(control))
        return fail(QStringLiteral("the stand-in has not %1 streaming devices").arg(kDevices));
    const QJsonArray devices = streamingDevices(control);

    // cvlc first, while no client receives the streams.
    const double cvlcOne = cvlcPerStream(devices, 1, media.path(QString()));
    const double cvlcAll = cvlcPerStream(devices, kDevices, media.path(QString()));

    useLocalServer(server.port());
    QQuickWindow *window = openWindow(startup);
    if (!window)
        return fail(QStringLiteral("the window did not open"));
    window->setGeometry(0, 0, 1920, 1080);
    if (!waitUntil([window] {
            QQuickItem *grid = UiTestSupport::item(window, QStringLiteral("tileGrid"));
            return grid && grid->isVisible();
        }, 30000))
        return fail(QStringLiteral("the tile grid did not show"));
    say(QStringLiteral("Desktop of %1 devices streaming 640x360 25 fps H.264, window %2x%3; cvlc per stream:"
                       " %4 CPU s/s alone, %5 with %1 at once")
            .arg(kDevices).arg(window->width()).arg(window->height())
            .arg(cvlcOne, 0, 'f', 3).arg(cvlcAll, 0, 'f', 3));
    for (int rows = 1; rows <= 4; ++rows) {
        DesktopFigures f;
        if (!measureDesktop(window, rows, f))
            return fail(QStringLiteral("%1 tiles did not all play").arg(rows * rows));
        const double cvlc = rows == 4 ? cvlcAll : cvlcOne;
        say(QStringLiteral("  %1 tiles: %2 CPU s/s per stream (client/cvlc %3), frames per tile slowest %4 mean %5"
                           " of 25 received, %6 drawn, window %7 redraws/s, X server %8 CPU s/s; all live %9 s after the click")
                .arg(rows * rows, 2).arg(f.cpuPerStream, 0, 'f', 3)
                .arg(cvlc > 0 ? f.cpuPerStream / cvlc : 0, 0, 'f', 2)
                .arg(f.slowestFps, 0, 'f', 1).arg(f.meanFps, 0, 'f', 1).arg(f.drawnFps, 0, 'f', 1).arg(f.redraws, 0, 'f', 1)
                .arg(f.serverCpu, 0, 'f', 3).arg(f.liveAfterS, 0, 'f', 1));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        return 1;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    LynClient::ClientStartup startup(argc, argv);
    return runBench(startup);
}
