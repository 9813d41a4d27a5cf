// Stand-in P2P server. Usage: lyn-standin-p2pserver [--host ADDR] [--port N] [--db FILE] [--log FILE]
// [--account SIGN:SECRET]... Defaults: 127.0.0.1, 9009, "p2pserver.sqlite", "p2pserver.log".
#include "P2pServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"host", "Address to listen on.", "addr", "127.0.0.1"});
    parser.addOption({"port", "Port to listen on (0: any free port).", "port", "9009"});
    parser.addOption({"db", "SQLite file of the accounts.", "file", "p2pserver.sqlite"});
    parser.addOption({"log", "Log file.", "file", "p2pserver.log"});
    parser.addOption({"account", "An account to create (SIGN:SECRET).", "account"});
    parser.process(app);

    Standin::ServerLog log(parser.value("log"));
    Standin::P2pServer server(log, parser.value("db"));
    for (const QString &account : parser.values("account")) {
        const QStringList parts = account.split(QLatin1Char(':'));
        if (parts.size() == 2 && !parts.at(0).isEmpty() && !parts.at(1).isEmpty())
            server.accounts().add(parts.at(0), parts.at(1));
    }
    if (!server.listen(QHostAddress(parser.value("host")), parser.value("port").toUShort()))
        return 1;
    // What passed through the server, so that one can tell media never does.
    QTimer traffic;
    qint64 reported = -1;
    QObject::connect(&traffic, &QTimer::timeout, &server, [&] {
        const qint64 total = server.bytesReceived() + server.bytesSent();
        if (total != reported)
            log.line(QStringLiteral("traffic: received %1 bytes, sent %2 bytes").arg(server.bytesReceived()).arg(server.bytesSent()));
        reported = total;
    });
    traffic.start(1000);
    return app.exec();
}
