// Stand-in local server. Usage: lyn-standin-localserver [--host ADDR] [--port N] [--log FILE]
// Tables are kept in "localserver.db" in the working folder.
// Defaults: 127.0.0.1, 27014 (or $LYN_STANDIN_PORT, so that a test can move the
// server the client starts), "localserver.log" in the working folder.
#include "LocalServer.h"
#include "ServerLog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_stop{false};
void onStopSignal(int) { g_stop = true; }
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
    parser.process(app);

    Standin::ServerLog log(parser.value(QStringLiteral("log")));
    Standin::LocalServer server(log);
    if (!server.listen(QHostAddress(parser.value(QStringLiteral("host"))), parser.value(QStringLiteral("port")).toUShort()))
        return 1;
    log.line(QStringLiteral("pid %1").arg(QCoreApplication::applicationPid()));
    // The tables live beside the server; a new folder gets the demo data set.
    if (!server.openTables(QStringLiteral("localserver.db")))
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
