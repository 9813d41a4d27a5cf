// Hole punching across two simulated NATs: each peer sits in a private
// namespace behind its own masquerading namespace that drops unsolicited
// inbound traffic; the stand-in resolver runs in the "public" namespace that
// joins the two. All traffic stays inside the namespaces made here.
#include "NetnsLab.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QtTest>

class TestNatTraversal : public QObject
{
    Q_OBJECT

private slots:
    void peersBehindTwoNatsConnect();
};

namespace {

// The rest of the line after the first line of output starting with prefix, or
// a null string after timeoutMs.
QString waitForLine(QProcess &process, const QString &prefix, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).trimmed();
        }
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || !process.waitForReadyRead(static_cast<int>(left)))
            return QString();
    }
}

// Written at once: this thread runs no event loop that would flush it later.
void send(QProcess &process, const QByteArray &line)
{
    process.write(line);
    process.waitForBytesWritten(5000);
}

} // namespace

void TestNatTraversal::peersBehindTwoNatsConnect()
{
    const QString reason = NetnsLab::unavailableReason();
    if (!reason.isEmpty())
        QSKIP(qPrintable(QStringLiteral("cannot simulate NATs on this machine: %1").arg(reason)));

    NetnsLab lab;
    const NetnsLab::Site a{QStringLiteral("nata"), QStringLiteral("lana"), QStringLiteral("10.77.1.2"), QStringLiteral("192.168.10.1"), QStringLiteral("192.168.10.2")};
    const NetnsLab::Site b{QStringLiteral("natb"), QStringLiteral("lanb"), QStringLiteral("10.77.2.2"), QStringLiteral("192.168.20.1"), QStringLiteral("192.168.20.2")};
    QVERIFY2(lab.addPublic(), qPrintable(lab.lastError()));
    QVERIFY2(lab.addSite(a, QStringLiteral("toa"), QStringLiteral("10.77.1.1")), qPrintable(lab.lastError()));
    QVERIFY2(lab.addSite(b, QStringLiteral("tob"), QStringLiteral("10.77.2.1")), qPrintable(lab.lastError()));

    // Declared after the lab: stopped before the namespaces go.
    QProcess resolver;
    QProcess peerA;
    QProcess peerB;
    const auto stopAll = qScopeGuard([&] {
        NetnsLab::stop(peerA);
        NetnsLab::stop(peerB);
        NetnsLab::stop(resolver);
    });
    for (QProcess *process : {&resolver, &peerA, &peerB})
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);

    lab.startIn(resolver, QStringLiteral("pub"),
                {QStringLiteral(LYN_RESOLVER_EXE), QStringLiteral("--host"), QStringLiteral("10.77.1.1"), QStringLiteral("--port"), QStringLiteral("0")});
    const QString listening = waitForLine(resolver, QStringLiteral(""), 5000);
    const QString resolverPort = listening.section(QLatin1Char(':'), -1);
    QVERIFY2(listening.contains(QStringLiteral("listening on 10.77.1.1:")) && resolverPort.toUShort() != 0, qPrintable(listening));

    const QStringList peerCommand{QStringLiteral(LYN_NAT_PEER_EXE), QStringLiteral("10.77.1.1"), resolverPort};
    lab.startIn(peerA, a.lan, peerCommand);
    lab.startIn(peerB, b.lan, peerCommand);
    QVERIFY(!waitForLine(peerA, QStringLiteral("INITED"), 5000).isNull());
    QVERIFY(!waitForLine(peerB, QStringLiteral("INITED"), 5000).isNull());

    send(peerA, "RESOLVE\n");
    send(peerB, "RESOLVE\n");
    const QStringList resolvedA = waitForLine(peerA, QStringLiteral("RESOLVED"), 10000).split(QLatin1Char(' '));
    const QStringList resolvedB = waitForLine(peerB, QStringLiteral("RESOLVED"), 10000).split(QLatin1Char(' '));
    QCOMPARE(resolvedA.size(), 4);
    QCOMPARE(resolvedB.size(), 4);
    // Each peer learnt its router's public address and its own private one.
    QCOMPARE(resolvedA.at(0), a.publicIp);
    QCOMPARE(resolvedB.at(0), b.publicIp);
    QCOMPARE(resolvedA.at(2), a.hostIp);
    QCOMPARE(resolvedB.at(2), b.hostIp);

    // Both sides punch: neither router lets the other's first probe in.
    send(peerA, QStringLiteral("PUNCH %1\n").arg(resolvedB.join(QLatin1Char(' '))).toUtf8());
    send(peerB, QStringLiteral("PUNCH %1\n").arg(resolvedA.join(QLatin1Char(' '))).toUtf8());
    QVERIFY2(!waitForLine(peerA, QStringLiteral("ESTABLISHED"), 20000).isNull(), "peer A did not get through");
    QVERIFY2(!waitForLine(peerB, QStringLiteral("ESTABLISHED"), 20000).isNull(), "peer B did not get through");
}

QTEST_GUILESS_MAIN(TestNatTraversal)
#include "tst_nat_traversal.moc"
