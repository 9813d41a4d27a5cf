// Stand-in local server. Usage: lyn-standin-localserver [--host ADDR] [--port N] [--log FILE] [--no-live]
//                                                     [--prepare-demo DIR]
// The installation (tables in "localserver.db", recordings in "archive/") is
// the working folder; a folder without tables gets the demo installation.
// Defaults: 127.0.0.1, 27014 (or $LYN_STANDIN_PORT, so that a test can move the
// server the client starts), "localserver.log" in the working folder.
#include "DemoArchive.h"
#include "LocalServer.h"
#include "ServerLog.h"
#include "TableStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_stop{false};
void onStopSignal(int) { g_stop = true; }

// Records a fresh demo installation into the folder and returns the exit code.
int prepareDemo(QCoreApplication &app, Standin::ServerLog &log, const QString &folder)
{
    QDir dir(folder);
    dir.remove(QStringLiteral("localserver.db"));
    QDir(dir.filePath(QStringLiteral("archive"))).removeRecursively();
    if (!dir.mkpath(QStringLiteral("."))) {
        log.line(QStringLiteral("cannot create %1").arg(folder));
        return 1;
    }
    Standin::TableStore store;
    QString error;
    if (!store.open(dir.filePath(QStringLiteral("localserver.db")), &error, Standin::TableStore::Seed::Nothing)) {
        log.line(QStringLiteral("cannot open tables in %1: %2").arg(folder, error));
        return 1;
    }
    Standin::DemoArchive demo(store, log, folder);
    QObject::connect(&demo, &Standin::DemoArchive::finished, &app,
                     [&app](bool ok, qint64) { app.exit(ok ? 0 : 1); }, Qt::QueuedConnection);
    demo.start();
    return app.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("host"), QStringLiteral("Address to listen on."), QStringLiteral("addr"), QStringLiteral("127.0.0.1")});
    const QString defaultPort = qEnvironmentVariable("LYN_STANDIN_PORT", QStringLiteral("27014"));
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free port)."), QStringLiteral("port"), defaultPort});
    parser.addOption({QStringLiteral("log"), QStringLiteral("Log file."), QStringLiteral("file"), QStringLiteral("localserver.log")});
    parser.addOption({QStringLiteral("no-live"), QStringLiteral("Do not stream the devices live.")});
    parser.addOption({QStringLiteral("live-clip"), QStringLiteral("Stream this H.264 clip, looped, for every device."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("prepare-demo"), QStringLiteral("Record the demo installation into a folder and quit."),
                      QStringLiteral("dir")});
    parser.process(app);

    Standin::ServerLog log(parser.value(QStringLiteral("log")));
    if (parser.isSet(QStringLiteral("prepare-demo")))
        return prepareDemo(app, log, parser.value(QStringLiteral("prepare-demo")));
    Standin::LocalServer server(log);
    if (!server.listen(QHostAddress(parser.value(QStringLiteral("host"))), parser.value(QStringLiteral("port")).toUShort()))
        return 1;
    log.line(QStringLiteral("pid %1").arg(QCoreApplication::applicationPid()));
    server.setLiveClip(parser.value(QStringLiteral("live-clip")));
    if (!server.openInstallation(QStringLiteral("."), !parser.isSet(QStringLiteral("no-live"))))
        return 1;

    QObject::connect(&server, &Standin::LocalServer::shutdownRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, &app, [] {
        if (g_stop)
            QCoreApplication::quit();
    });
    stopPoll.start(100);

    const int code = app.exec();
    log.line(QStringLiteral("stopped, exit code %1").arg(code));
    return code;
}
