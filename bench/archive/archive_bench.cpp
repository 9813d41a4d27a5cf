// A day of 10,000 archive pieces over 16 devices: merging the query answer
// and building the time lines, against plain C++ grouping of the same
// records; then the frame intervals of the time lines while zooming and
// scrolling every frame, against a scene that changes one small item.
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
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

using namespace LynClientController;

namespace {
constexpr int kPieces = 10000;
constexpr int kDevices = 16;
constexpr int kFrames = 600;
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

// Drives the scene's "box" one step per frame and collects the intervals between swaps.
std::vector<double> frameIntervals(QQuickView &view, bool zoomAndScroll)
{
    QQuickItem *box = view.rootObject()->findChild<QQuickItem *>("box");
    std::vector<double> intervals;
    QElapsedTimer clock;
    qint64 last = -1;
    int frame = 0;
    QEventLoop loop;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            intervals.push_back((now - last) / 1e6);
        last = now;
        if (++frame >= kFrames) {
            loop.quit();
            return;
        }
        const double phase = frame / double(kFrames);
        if (zoomAndScroll && frame % 2) {
            // Zoom in and out between the day and a minute, around the moving middle.
            const double factor = std::pow(1440.0, 0.5 - 0.5 * std::cos(phase * 4 * M_PI));
            QMetaObject::invokeMethod(box, "zoomAt", Q_ARG(QVariant, box->property("minPixelPerSecond").toDouble() * factor),
                                      Q_ARG(QVariant, box->property("linesWidth").toDouble() / 2));
        } else {
            // Scroll across the day.
            box->setProperty("viewStart", std::fmod(phase * 86400 * 3, 86400 - box->property("visibleSeconds").toDouble()));
        }
        // The next frame even when a step happened to change nothing.
        view.update();
    });
    // A watchdog: a scene that stops drawing ends the measurement.
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    view.update();
    loop.exec();
    if (frame < kFrames)
        qWarning() << "only" << frame << "frames drawn";
    QObject::disconnect(&view, &QQuickWindow::frameSwapped, &loop, nullptr);
    return intervals;
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

    QQuickView view;
    view.rootContext()->setContextProperty("benchLines", lines.proxyModel());
    view.setSource(QUrl::fromLocalFile(QStringLiteral(ARCHIVE_BENCH_SCENES "/EmptyScene.qml")));
    view.show();
    const std::vector<double> reference = frameIntervals(view, false);
    view.setSource(QUrl::fromLocalFile(QStringLiteral(ARCHIVE_BENCH_SCENES "/TimeLinesScene.qml")));
    if (view.status() != QQuickView::Ready) {
        out << "the time lines scene did not load\n";
        return 1;
    }
    const std::vector<double> lineFrames = frameIntervals(view, true);
    const double refP95 = percentile(reference, 0.95);
    const double linesP95 = percentile(lineFrames, 0.95);
    out << "frame interval p50/p95, reference scene: " << percentile(reference, 0.5) << " / " << refP95 << " ms\n";
    out << "frame interval p50/p95, zooming and scrolling 16 lines: " << percentile(lineFrames, 0.5) << " / " << linesP95
        << " ms, p95 ratio " << linesP95 / refP95 << "\n";
    return 0;
}
