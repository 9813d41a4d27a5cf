// A day of 10,000 archive pieces over 16 devices: merging the query answer
// and building the time lines, against plain C++ grouping of the same
// records; then the frame intervals of the time lines while zooming and
// scrolling every frame, against a scene that changes one small item and an
// empty window of the same size (what a swap alone costs); scenes named on
// the command line are measured alongside. Last, the frames an idle window
// draws while an item of a hidden page changes.
// Prints milliseconds and ratios; not a test.
#include "LynQmlResources.h"
#include "controllers/LynTypes.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/archive/VideoLineListController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"
#include "controllers/models/ArchiveModel.h"
#include "controllers/models/DeviceModel.h"
#include "nt_common/model/TableAnswer.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <map>
#include <numeric>
#include <random>

using namespace LynClientController;

namespace {
constexpr int kPieces = 10000;
constexpr int kDevices = 16;
constexpr int kRounds = 2;
constexpr int kFramesPerRound = 150;
const qint64 kDayStart = QDateTime(QDate(2026, 12, 7), QTime(0, 0)).toMSecsSinceEpoch();

// The answer as it comes off the link: a JSON array of records.
QJsonArray answer()
{
    std::mt19937 random(7);
    QJsonArray records;
    for (int i = 1; i <= kPieces; ++i) {
        const qint64 start = kDayStart + qint64(random() % (86400 - 30)) * 1000;
        const int seconds = 5 + int(random() % 25);
        records.append(QJsonObject{{"rowID", i}, {"dtUpdate", 1700000000000LL + i}, {"dtInsert", 1700000000000LL + i},
                                   {"rstIDDevice", 1 + i % kDevices}, {"type", random() % 3 == 0 ? 1 : 0},
                                   {"dtStart", start}, {"dtEnd", start + seconds * 1000}, {"duration", seconds},
                                   {"xOffset", (start - kDayStart) / 1000}, {"filePath", QStringLiteral("archive/%1.mp4").arg(i)},
                                   {"final", true}, {"detected", "person"}, {"deviceName", QStringLiteral("Camera %1").arg(1 + i % kDevices)}});
    }
    return records;
}

template <class F>
double timed(F f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(std::ceil(p * double(values.size()))) - 1));
}

double mean(const std::vector<double> &values)
{
    return values.empty() ? 0 : std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

enum class Motion { Zoom, Scroll };

// What one kind of scene and motion drew, over all its rounds.
struct Figures
{
    QString name;
    QString scene;
    Motion motion;
    std::vector<double> intervals;
    // Per frame: the step's bindings on the GUI thread, then sync, render and
    // swap on the render thread.
    std::vector<double> gui, sync, render, swap;
    double elapsedMs = 0;
    // The process's CPU time over those frames, all threads (the software
    // rasterizer's too): the scene's cost whatever else loads the machine.
    double cpuMs = 0;
};

// Times of the render thread's stages of the frame being drawn.
struct RenderStages
{
    QMutex mutex;
    qint64 syncStart = 0, syncEnd = 0, renderStart = 0, renderEnd = 0;
    std::vector<std::array<double, 3>> frames;
};

// Drives the scene's "box" one step per frame and collects the intervals between swaps.
void drawFrames(QQuickView &view, Figures &figures)
{
    QQuickItem *box = view.rootObject()->findChild<QQuickItem *>("box");
    const double minScale = box->property("minPixelPerSecond").toDouble();
    const double middle = box->property("linesWidth").toDouble() / 2;
    if (figures.motion == Motion::Scroll) {
        // Scrolling at an hour across the view.
        QMetaObject::invokeMethod(box, "zoomAt", Q_ARG(QVariant, minScale * 24), Q_ARG(QVariant, middle));
    }
    const double scrollRange = 86400 - box->property("visibleSeconds").toDouble();

    QElapsedTimer clock;
    RenderStages stages;
    auto now = [&clock] { return clock.nsecsElapsed(); };
    const auto direct = Qt::DirectConnection;
    QList<QMetaObject::Connection> renderThread{
        QObject::connect(&view, &QQuickWindow::beforeSynchronizing, [&] { QMutexLocker l(&stages.mutex); stages.syncStart = now(); }),
        QObject::connect(&view, &QQuickWindow::afterSynchronizing, [&] { QMutexLocker l(&stages.mutex); stages.syncEnd = now(); }),
        QObject::connect(&view, &QQuickWindow::beforeRendering, [&] { QMutexLocker l(&stages.mutex); stages.renderStart = now(); }),
        QObject::connect(&view, &QQuickWindow::afterRendering, [&] { QMutexLocker l(&stages.mutex); stages.renderEnd = now(); }),
        QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&] {
            QMutexLocker l(&stages.mutex);
            stages.frames.push_back({(stages.syncEnd - stages.syncStart) / 1e6, (stages.renderEnd - stages.renderStart) / 1e6,
                                     (now() - stages.renderEnd) / 1e6});
        }, direct)};

    constexpr int kWarmUp = 5;
    qint64 last = -1;
    qint64 first = -1;
    std::clock_t firstCpu = 0;
    int frame = 0;
    QEventLoop loop;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &loop, [&] {
        const qint64 swapped = now();
        ++frame;
        if (frame == kWarmUp) {
            first = swapped;
            firstCpu = std::clock();
        }
        if (frame > kWarmUp)
            figures.intervals.push_back((swapped - last) / 1e6);
        last = swapped;
        if (frame >= kWarmUp + kFramesPerRound) {
            figures.elapsedMs += (swapped - first) / 1e6;
            figures.cpuMs += 1000.0 * double(std::clock() - firstCpu) / CLOCKS_PER_SEC;
            loop.quit();
            return;
        }
        const double phase = frame / double(kWarmUp + kFramesPerRound);
        const qint64 stepStart = now();
        if (figures.motion == Motion::Zoom) {
            // In and out between the day and a minute, around the middle.
            const double factor = std::pow(1440.0, 0.5 - 0.5 * std::cos(phase * 4 * M_PI));
            QMetaObject::invokeMethod(box, "zoomAt", Q_ARG(QVariant, minScale * factor), Q_ARG(QVariant, middle));
        } else {
            box->setProperty("viewStart", phase * scrollRange);
        }
        if (frame > kWarmUp)
            figures.gui.push_back((now() - stepStart) / 1e6);
        // The next frame even when a step happened to change nothing.
        view.update();
    }, Qt::QueuedConnection);
    // A watchdog: a scene that stops drawing ends the measurement.
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    clock.start();
    view.update();
    loop.exec();
    if (frame < kWarmUp + kFramesPerRound)
        qWarning() << figures.name << "drew only" << frame << "frames";
    QObject::disconnect(&view, &QQuickWindow::frameSwapped, &loop, nullptr);
    for (const auto &c : renderThread)
        QObject::disconnect(c);
    QMutexLocker l(&stages.mutex);
    for (size_t i = kWarmUp; i < stages.frames.size(); ++i) {
        figures.sync.push_back(stages.frames[i][0]);
        figures.render.push_back(stages.frames[i][1]);
        figures.swap.push_back(stages.frames[i][2]);
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    initLynQmlResources();
    registerLynTypes();
    QTextStream out(stdout);

    const QJsonArray records = answer();
    QJsonArray devices;
    for (int d = 1; d <= kDevices; ++d)
        devices.append(QJsonObject{{"rowID", d}, {"dtUpdate", 1}, {"dtInsert", 1}, {"deviceName", QStringLiteral("Camera %1").arg(d)}});

    OriginalModel deviceModel;
    deviceModel.setModelBase(QSharedPointer<LYNModels::DeviceModel>::create());
    {
        NtCommon::TableAnswer batch(&deviceModel, true);
        for (const QJsonValue &d : devices)
            deviceModel.addRow(d.toObject().toVariantMap());
    }

    OriginalModel archive;
    archive.setModelBase(QSharedPointer<LYNModels::ArchiveModel>::create());
    ProxyModel proxy;
    proxy.setOriginalModel(&archive);
    VideoLineListController lines;
    int built = 0;
    // What the screen does with the answer: merge it as one batch, then build the lines.
    const double mergeMs = timed([&] {
        NtCommon::TableAnswer batch(&archive, true);
        ArchiveController::addRecords(&archive, records, VideoLineListController::archiveFields());
    });
    NtCommon::TableAnswer::finish(&archive, &proxy);
    const double buildMs = timed([&] { built = lines.buildLines(&archive, &deviceModel, kDayStart, kDayStart + 86400000); });

    // Reference: the same records grouped and ordered per device in plain C++, each line written as JSON.
    const double plainMs = timed([&] {
        std::map<qint64, std::vector<std::pair<double, QJsonObject>>> byDevice;
        for (const QJsonValue &value : records) {
            const QJsonObject r = value.toObject();
            const double x = (r.value("dtStart").toDouble() - kDayStart) / 1000;
            byDevice[qint64(r.value("rstIDDevice").toDouble())].push_back(
                {x, QJsonObject{{"type", r.value("type")}, {"xOffset", x}, {"duration", r.value("duration")}, {"rowID", r.value("rowID")}}});
        }
        int total = 0;
        for (auto &line : byDevice) {
            std::sort(line.second.begin(), line.second.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
            QJsonArray segments;
            for (const auto &s : line.second)
                segments.append(s.second);
            total += QJsonDocument(segments).toJson(QJsonDocument::Compact).size();
        }
        Q_UNUSED(total);
    });
    out << "pieces " << kPieces << ", devices " << kDevices << ", lines built " << built << "\n";
    out << "merge the answer:   " << mergeMs << " ms\n";
    out << "build the lines:    " << buildMs << " ms\n";
    out << "merge + build:      " << mergeMs + buildMs << " ms (budget 200 ms)\n";
    out << "plain C++ grouping: " << plainMs << " ms, ratio " << (mergeMs + buildMs) / plainMs << "\n";
    out.flush();

    // Every scene in the same window size and surface format, in rounds that
    // take turns so that the machine's load falls on all of them alike.
    const QString scenes = QStringLiteral(ARCHIVE_BENCH_SCENES "/");
    std::vector<Figures> runs{{"empty window", scenes + "EmptyScene.qml", Motion::Scroll},
                              {"reference, one small item moving", scenes + "ReferenceScene.qml", Motion::Scroll},
                              {"time lines zooming", scenes + "TimeLinesScene.qml", Motion::Zoom},
                              {"time lines scrolling", scenes + "TimeLinesScene.qml", Motion::Scroll}};
    // Scenes named on the command line are measured alongside.
    for (const QString &extra : app.arguments().mid(1)) {
        runs.push_back({QFileInfo(extra).baseName() + " zooming", QFileInfo(extra).absoluteFilePath(), Motion::Zoom});
        runs.push_back({QFileInfo(extra).baseName() + " scrolling", QFileInfo(extra).absoluteFilePath(), Motion::Scroll});
    }
    QQuickView view;
    view.rootContext()->setContextProperty("benchLines", lines.proxyModel());
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(1600, 700);
    view.show();
    for (int round = 0; round < kRounds; ++round) {
        for (Figures &run : runs) {
            view.setSource(QUrl::fromLocalFile(run.scene));
            if (view.status() != QQuickView::Ready) {
                out << run.scene << " did not load\n";
                return 1;
            }
            drawFrames(view, run);
        }
    }

    // Frames drawn at rest: nothing changing, an item of a hidden page
    // changing, the same item shown.
    view.setSource(QUrl::fromLocalFile(scenes + "HiddenChangeScene.qml"));
    int restFrames[3] = {0, 0, 0};
    for (int state = 0; state < 3; ++state) {
        view.rootObject()->setProperty("changing", state > 0);
        view.rootObject()->setProperty("pageShown", state == 2);
        int &frames = restFrames[state];
        const auto counter = QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&frames] { ++frames; });
        QEventLoop rest;
        QTimer::singleShot(2000, &rest, &QEventLoop::quit);
        rest.exec();
        QObject::disconnect(counter);
    }
    view.setSource({});

    const double referenceP95 = percentile(runs.at(1).intervals, 0.95);
    const double emptyP95 = percentile(runs.at(0).intervals, 0.95);
    out << "\nframes in a " << view.width() << "x" << view.height() << " window, " << kRounds << " rounds of " << kFramesPerRound
        << " frames each; ms per frame (process CPU, GUI step, then sync, render, swap on the render thread)\n";
    out << qSetFieldWidth(36) << Qt::left << "scene" << qSetFieldWidth(10) << Qt::right << "p50" << "p95" << "p95/ref"
        << "p95/empty" << "fps" << "cpu" << "step" << "sync" << "render" << "swap" << qSetFieldWidth(0) << "\n";
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    for (const Figures &run : runs) {
        const double p95 = percentile(run.intervals, 0.95);
        out << qSetFieldWidth(36) << Qt::left << run.name << qSetFieldWidth(10) << Qt::right << percentile(run.intervals, 0.5)
            << p95 << p95 / referenceP95 << p95 / emptyP95 << 1000.0 * double(run.intervals.size()) / run.elapsedMs
            << run.cpuMs / double(run.intervals.size())
            << mean(run.gui) << mean(run.sync) << mean(run.render) << mean(run.swap) << qSetFieldWidth(0) << "\n";
    }
    out << "\nframes drawn in 2 s at rest: " << restFrames[0] << "; with an item changing 25 times a second on a hidden page: "
        << restFrames[1] << ", on a shown page: " << restFrames[2] << "\n";
    return 0;
}
