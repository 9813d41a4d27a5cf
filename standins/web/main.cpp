// Stand-in web services. Usage: lyn-standin-web [--host ADDR] [--port N] [--db FILE] [--token-lifetime S]
// Defaults: 127.0.0.1, 27080, "web.db" in the working folder, 3600 s. With --port 0 a
// free port is picked; the first line printed, "listening on ADDR:PORT", tells which.
// A new database gets the account "demo@example.com" with the password "demo".
#include "AccountStore.h"
#include "WebStandin.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

std::atomic<bool> g_stop{false};
void onStopSignal(int) { g_stop = true; }

void printLine(const std::string &text)
{
    const std::string line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toStdString() + ' ' + text + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("host"), QStringLiteral("Address to listen on."), QStringLiteral("addr"), QStringLiteral("127.0.0.1")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free port)."), QStringLiteral("port"), QStringLiteral("27080")});
    parser.addOption({QStringLiteral("db"), QStringLiteral("SQLite file of the accounts."), QStringLiteral("file"), QStringLiteral("web.db")});
    parser.addOption({QStringLiteral("token-lifetime"), QStringLiteral("Seconds an access token lives."), QStringLiteral("s"), QStringLiteral("3600")});
    parser.process(app);

    bool portOk = false;
    const int port = parser.value(QStringLiteral("port")).toUShort(&portOk);
    const std::string host = parser.value(QStringLiteral("host")).toStdString();
    if (!portOk) {
        printLine("invalid --port");
        return 2;
    }

    Standin::AccountStore accounts(parser.value(QStringLiteral("token-lifetime")).toInt());
    std::string error;
    if (!accounts.open(parser.value(QStringLiteral("db")).toStdString(), error)) {
        printLine("cannot open the database: " + error);
        return 1;
    }
    if (accounts.isEmpty()) {
        accounts.addAccount("demo@example.com", QCryptographicHash::hash("demo", QCryptographicHash::Sha1).toHex().toStdString(),
                            "Demo channel");
    }

    Standin::WebStandin server(accounts, &printLine);
    const int bound = server.bind(host, port);
    if (bound < 0) {
        printLine("cannot listen on " + host + ":" + std::to_string(port));
        return 1;
    }
    printLine("listening on " + host + ":" + std::to_string(bound));

    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
    std::atomic<bool> served{false};
    std::thread stopper([&server, &served] {
        while (!g_stop && !served)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        server.stop();
    });
    const bool ok = server.serve();
    served = true;
    stopper.join();
    printLine("stopped");
    return ok || g_stop ? 0 : 1;
}
