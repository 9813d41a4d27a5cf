// Stand-in remote installation bridge. Usage: lyn-standin-bridge --sign S --secret K
// [--p2p-host ADDR] [--p2p-port N] [--resolver-host ADDR] [--resolver-port N] [--local-server URL] [--log FILE]
#include "RemoteBridge.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"sign", "Sign of this installation on the P2P server.", "sign"});
    parser.addOption({"secret", "Its secret.", "secret"});
    parser.addOption({"p2p-host", "P2P server address.", "addr", "127.0.0.1"});
    parser.addOption({"p2p-port", "P2P server port.", "port", "9009"});
    parser.addOption({"resolver-host", "Address resolver (default: the P2P server's host).", "addr"});
    parser.addOption({"resolver-port", "Address resolver's UDP port.", "port", "50005"});
    parser.addOption({"local-server", "Local server WebSocket.", "url", "ws://127.0.0.1:27014/loader"});
    parser.addOption({"log", "Log file.", "file", "bridge.log"});
    parser.process(app);
    if (parser.value("sign").isEmpty() || parser.value("secret").isEmpty()) {
        parser.showHelp(2);
    }

    Standin::ServerLog log(parser.value("log"));
    Standin::RemoteBridge bridge(log, parser.value("sign"), parser.value("secret"), QUrl(parser.value("local-server")));
    if (parser.isSet("resolver-host") || parser.isSet("resolver-port"))
        bridge.setResolver(parser.value("resolver-host").isEmpty() ? parser.value("p2p-host") : parser.value("resolver-host"),
                           parser.value("resolver-port").toUShort());
    bridge.connectTo(parser.value("p2p-host"), parser.value("p2p-port").toUShort());
    return app.exec();
}
