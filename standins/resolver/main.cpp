// Stand-in address resolver. Usage: lyn-standin-resolver [--host ADDR] [--port N]
// Defaults: 127.0.0.1, 50005. With --port 0 a free port is picked; the first
// line printed, "listening on ADDR:PORT", tells which.
#include "AddressResolver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_stop{false};
void onStopSignal(int) { g_stop = true; }

void printLine(const QString &text)
{
    const QByteArray line = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("host"), QStringLiteral("Address to listen on."), QStringLiteral("addr"), QStringLiteral("127.0.0.1")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("UDP port to listen on (0: any free port)."), QStringLiteral("port"), QStringLiteral("50005")});
    parser.process(app);

    bool portOk = false;
    const quint16 port = parser.value(QStringLiteral("port")).toUShort(&portOk);
    const QHostAddress host(parser.value(QStringLiteral("host")));
    if (!portOk || host.isNull()) {
        printLine(QStringLiteral("invalid --host or --port"));
        return 2;
    }

    Standin::AddressResolver resolver;
    QObject::connect(&resolver, &Standin::AddressResolver::logLine, &printLine);
    if (!resolver.listen(host, port))
        return 1;

    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, &app, [] {
        if (g_stop)
            QCoreApplication::quit();
    });
    stopPoll.start(100);
    return app.exec();
}
