// One peer driven over standard input and output, for running inside a
// network namespace; its arguments are the resolver's host and port. Prints "INITED <localPort>", then on the line "RESOLVE"
// resolves and prints "RESOLVED <globalIp> <globalPort> <localIp> <localPort>";
// on "PUNCH <globalIp> <globalPort> <localIp> <localPort>" starts hole punching
// towards that remote peer and prints "ESTABLISHED" once connected. "QUIT" ends it.
// The peer's log goes to standard error.
#include "client_base/other/peer/PeerBase.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <spdlog/sinks/stdout_sinks.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    spdlog::stderr_logger_mt("main");
    QObject context;
    const QStringList arguments = app.arguments();
    const QString resolverHost = arguments.value(1);
    const quint16 resolverPort = arguments.value(2).toUShort();
    std::unique_ptr<PeerBase> peer = std::make_unique<PeerBase>(QJsonObject(), [&](PeerBase &created) {
        created.setResolverEndpoint(resolverHost, resolverPort);
        QObject::connect(&created, &PeerBase::inited, &context, [&created](const QJsonObject &) {
            say(QStringLiteral("INITED %1").arg(created.yourLocalPort()));
        });
        QObject::connect(&created, &PeerBase::globalAdressIsDescavered, &context, [&created](const QJsonObject &) {
            say(QStringLiteral("RESOLVED %1 %2 %3 %4")
                    .arg(created.yourGlobalIp()).arg(created.yourGlobalPort())
                    .arg(created.yourLocalIp()).arg(created.yourLocalPort()));
        });
        QObject::connect(&created, &PeerBase::connectionEstablished, &context,
                         [](const QJsonObject &) { say(QStringLiteral("ESTABLISHED")); });
    });

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &context, [&] {
        char buffer[512];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, static_cast<int>(got));
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QStringList words = QString::fromUtf8(pending.left(end)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            pending.remove(0, end + 1);
            if (words.value(0) == QStringLiteral("RESOLVE")) {
                emit peer->resolveGlobalAddress();
            } else if (words.value(0) == QStringLiteral("PUNCH") && words.size() == 5) {
                peer->setRemoteGlobalIp(words.at(1));
                peer->setRemoteGlobalPort(words.at(2).toUShort());
                peer->setRemoteLocalIp(words.at(3));
                peer->setRemoteLocalPort(words.at(4).toUShort());
                emit peer->startHolePunching();
            } else if (words.value(0) == QStringLiteral("QUIT")) {
                QCoreApplication::quit();
            } else {
                say(QStringLiteral("UNKNOWN %1").arg(words.join(QLatin1Char(' '))));
            }
        }
    });

    const int code = app.exec();
    peer.reset();
    return code;
}
