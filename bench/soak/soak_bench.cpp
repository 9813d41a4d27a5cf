// Soak bench, run under Xvfb (see README.md): sixteen live tiles on the
// stand-in server's streams, the device and archive tables refreshed every
// second, and the server link dropped by the server every two minutes, for
// the given number of minutes (default 30). Prints resident memory, open
// files and threads at the start, every minute and at the end.
#include "ArchiveTestController.h"
#include "BenchReport.h"
#include "BenchTiming.h"
#include "ProcessFigures.h"
#include "QmlVlc.h"
#include "QmlVlcConfig.h"
#include "QmlVlcPlayer.h"
#include "StandinProcess.h"
#include "base/HandleRecievedMessages.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/device/DeviceController.h"
#include "threads/clientNetwork/LynClientNetworkFinal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace LynClientController;

namespace {

constexpr int kTiles = 16;
constexpr int kDropEverySeconds = 120;
constexpr int kWarmUpMs = 60000;

using BenchTiming::runFor;
using BenchTiming::waitUntil;

void collectPlayers(QQuickItem *item, QList<QmlVlcPlayer *> &players)
{
    players += item->findChildren<QmlVlcPlayer *>(QString(), Qt::FindDirectChildrenOnly);
    for (QQuickItem *child : item->childItems())
        collectPlayers(child, players);
}

using BenchReport::say;

int fail(const QString &why)
{
    return BenchReport::fail(QStringLiteral("soak"), why);
}

int streamingDevices(const OriginalModel *devices)
{
    int streaming = 0;
    for (int row = 0; row < devices->rowCount(); ++row)
        streaming += devices->originalData(row, QStringLiteral("sdp")).toString().isEmpty() ? 0 : 1;
    return streaming;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int minutes = app.arguments().value(1, QStringLiteral("30")).toInt();
    QmlVlc::registerTypes();
    QmlVlc::registerPlayerStateEnum();
    QmlVlcConfig &config = QmlVlcConfig::instance();
    config.enableDebug(false);
    config.setNetworkCacheTime(200);

    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        return fail(QStringLiteral("no working folder"));
    StandinProcess server;
    if (!server.start())
        return fail(QStringLiteral("the stand-in server did not start"));

    auto link = QSharedPointer<LynClientNetworkFinalSimple>::create();
    link->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
    link->setParam("host", "127.0.0.1");
    link->setParam("port", server.port());
    link->setParam("use_ping", true);
    link->start();
    if (!waitUntil([&] { return link->isRunning(); }, 10000))
        return fail(QStringLiteral("the link thread did not start"));
    runFor(500);
    LynClientBase::LynClientNetwork::setControllersLink(link);
    emit link->makeConnection();
    if (!waitUntil([&] { return link->amountConnected() > 0; }, 20000))
        return fail(QStringLiteral("the link did not connect"));

    DeviceController devices;
    ArchiveController archive;
    for (ControllerDesktopBase *c : {static_cast<ControllerDesktopBase *>(&devices), static_cast<ControllerDesktopBase *>(&archive)}) {
        new ScreenFeeder(c);
        c->setUseTrQuery(true);
        c->trQuery();
    }
    if (!waitUntil([&] { return devices.originalModel()->rowCount() >= 4; }, 20000))
        return fail(QStringLiteral("no devices"));
    // Twelve more devices on the demo's IP cameras, each with a stream of its own.
    QList<QJsonObject> cameras;
    for (int row = 0; row < devices.originalModel()->rowCount(); ++row) {
        QJsonObject record = QJsonObject::fromVariantMap(devices.originalModel()->originalData(row));
        if (!record.value("source").toString().startsWith(QStringLiteral("rtsp")))
            continue;
        for (const char *key : {"rowID", "dtInsert", "dtUpdate", "sdp", "recState"})
            record.remove(QString::fromLatin1(key));
        cameras << record;
    }
    if (cameras.isEmpty())
        return fail(QStringLiteral("no IP camera among the devices"));
    QString refusal;
    QObject::connect(&devices, &ControllerDesktopBase::saAdd, [&refusal](const QJsonObject &answer) {
        if (answer.value("status").toString() == QLatin1String("ERROR"))
            refusal = answer.value("errorMessage").toString();
    });
    for (int i = devices.originalModel()->rowCount(); i < kTiles; ++i) {
        QJsonObject record = cameras.at(i % cameras.size());
        record.insert("deviceName", QStringLiteral("Soak %1").arg(i));
        devices.trAdd(record);
    }
    devices.setAutoUpdateInterval(1);
    devices.setAutoUpdate(true);
    archive.setAutoUpdateInterval(1);
    archive.setAutoUpdate(true);
    // Sixteen ffmpeg encoders start at once on a busy machine: the budget is generous.
    if (!waitUntil([&] { return !refusal.isEmpty() || streamingDevices(devices.originalModel()) >= kTiles; }, 300000)
        || !refusal.isEmpty())
        return fail(!refusal.isEmpty() ? QStringLiteral("the server refused a device: ") + refusal :
                                         QStringLiteral("only %1 of %2 devices have a stream")
                        .arg(streamingDevices(devices.originalModel())).arg(devices.originalModel()->rowCount()));

    QStringList mrls;
    for (int row = 0; row < devices.originalModel()->rowCount() && mrls.size() < kTiles; ++row) {
        const QJsonObject record = QJsonObject::fromVariantMap(devices.originalModel()->originalData(row));
        const QString path = devices.createSDPFile(record);
        if (!path.isEmpty())
            mrls << QUrl::fromLocalFile(path).toString();
    }
    QQuickView view;
    view.rootContext()->setContextProperty(QStringLiteral("mrls"), mrls);
    view.setSource(QUrl::fromLocalFile(QStringLiteral(SOAK_SCENES "/SoakTiles.qml")));
    if (view.status() != QQuickView::Ready)
        return fail(QStringLiteral("the tiles did not load"));
    view.show();
    QList<QmlVlcPlayer *> players;
    collectPlayers(view.rootObject(), players);
    const auto shownFrames = [&players] {
        QList<unsigned> frames;
        for (QmlVlcPlayer *player : players)
            frames << player->videoOutput().displayedFrames();
        return frames;
    };
    if (players.size() != kTiles || !waitUntil([&] { return !shownFrames().contains(0u); }, 120000))
        return fail(QStringLiteral("not every tile shows its stream"));
    // Players go on starting threads and filling their picture pools for a while
    // after their first frames (98 -> 123 threads, +76 MiB within the first
    // minute); the start figure is taken once that is done.
    runFor(kWarmUpMs);

    const ProcessFigures start = ProcessFigures::now();
    const qlonglong connectionsAtStart = link->amountConnected();
    int answers = 0;
    QObject::connect(&devices, &ControllerItemBase::saQuery, [&answers] { ++answers; });
    QObject::connect(&archive, &ControllerItemBase::saQuery, [&answers] { ++answers; });
    say(QStringLiteral("soak: %1 minutes, %2 tiles; start: %3").arg(minutes).arg(players.size()).arg(start.text()));
    QElapsedTimer clock;
    clock.start();
    int drops = 0;
    QList<unsigned> framesBefore = shownFrames();
    for (int minute = 1; minute <= minutes; ++minute) {
        runFor(int(qMax<qint64>(0, minute * 60000 - clock.elapsed())) / 2);
        if (clock.elapsed() / 1000 >= (drops + 1) * kDropEverySeconds) {
            LynClientBase::LynClientNetwork::send(QStringLiteral("app"), QStringLiteral("trCloseConnection"), devices.objectNumber(), {});
            ++drops;
        }
        runFor(int(qMax<qint64>(0, minute * 60000 - clock.elapsed())));
        const QList<unsigned> frames = shownFrames();
        unsigned slowest = UINT_MAX;
        for (int i = 0; i < frames.size(); ++i)
            slowest = qMin(slowest, frames.at(i) - framesBefore.value(i));
        framesBefore = frames;
        say(QStringLiteral("soak: minute %1: %2; link connected %3 times; %4 table answers; slowest tile %5 frames this minute")
                .arg(minute).arg(ProcessFigures::now().text()).arg(link->amountConnected()).arg(answers).arg(slowest));
    }
    const ProcessFigures end = ProcessFigures::now();
    say(QStringLiteral("soak: end: %1").arg(end.text()));
    say(QStringLiteral("soak: growth: resident %1 MiB, heap in use %2 MiB, open files %3, threads %4; link dropped %5 times, reconnected %6 times")
            .arg((end.residentKiB - start.residentKiB) / 1024.0, 0, 'f', 1).arg((end.heapKiB - start.heapKiB) / 1024.0, 0, 'f', 1)
            .arg(end.openFiles - start.openFiles).arg(end.threads - start.threads).arg(drops)
            .arg(link->amountConnected() - connectionsAtStart));

    LynClientBase::LynClientNetwork::setControllersLink({});
    link->quit();
    link->wait();
    return 0;
}
