// The P2P link when its server dies and comes back, and when the far end
// streams without ever closing a frame.
#include "LocalServer.h"
#include "LogCapture.h"
#include "P2pModeLink.h"
#include "P2pServer.h"
#include "RemoteBridge.h"
#include "base/MessageEnvelope.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using LynClientBase::HandleRecievedMessages;
using LynClientBase::MessageEnvelope;
using P2pClientBase::ClientNetworkSimple;

namespace {

// Resident memory of this process, in bytes.
qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

void stopThread(QThread *thread)
{
    thread->quit();
    thread->wait();
}

} // namespace

class TstP2pFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Standin::ServerLog m_log;
    Standin::LocalServer m_localServer{m_log};
    std::unique_ptr<Standin::P2pServer> m_p2pServer;
    LogCapture m_logLines;

    bool startP2pServer(quint16 port)
    {
        m_p2pServer = std::make_unique<Standin::P2pServer>(m_log, m_dir.filePath("p2p.sqlite"));
        return m_p2pServer->listen(QHostAddress::LocalHost, port);
    }

private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        QVERIFY(m_localServer.listen(QHostAddress::LocalHost, 0));
    }

    void restartedServerIsRejoinedAndRelaysAgain()
    {
        QVERIFY(startP2pServer(0));
        const quint16 port = m_p2pServer->port();
        m_p2pServer->accounts().add("home", "home-secret");
        m_p2pServer->accounts().add("client", "client-secret");
        Standin::RemoteBridge bridge(m_log, "home", "home-secret",
                                     QUrl(QStringLiteral("ws://127.0.0.1:%1/loader").arg(m_localServer.port())));
        QSignalSpy bridgeIn(&bridge, &Standin::RemoteBridge::loggedIn);
        bridge.connectTo("127.0.0.1", port);
        QVERIFY(bridgeIn.count() || bridgeIn.wait(10000));

        P2pModeLink client;
        const auto p2pLink = client.p2pLink();
        p2pLink->setSign("client");
        p2pLink->setPwd("client-secret");
        QVERIFY(client.start("127.0.0.1", port));
        QSignalSpy loggedIn(client.auth(), &P2pClientController::Auth::saAuth);
        QVERIFY(client.logIn());
        QVERIFY(client.startServerLink());
        LynClientNetworkFinalSimple &serverLink = *client.serverLink();
        QList<QJsonObject> answers;
        connect(client.router(), &HandleRecievedMessages::camMessage, this, [&answers](QString, QJsonObject m) { answers.append(m); });
        const auto ask = [&](const QString &request) {
            emit serverLink.sendTextMessage(MessageEnvelope::toText(MessageEnvelope::wrap({{"_request", request}}, "cam", "trQuery", "5")));
            return QTest::qWaitFor([&] { return !answers.isEmpty() && answers.last().value("_request").toString() == request; }, 10000);
        };
        QVERIFY(ask("before"));

        bool lost = false;
        connect(p2pLink.data(), &ClientNetworkSimple::connectionState, this, [&lost](bool up) { lost = lost || !up; });
        m_p2pServer.reset();
        QTRY_VERIFY_WITH_TIMEOUT(lost, 10000);
        QVERIFY(startP2pServer(port));
        QTRY_COMPARE_WITH_TIMEOUT(loggedIn.count(), 2, 20000);
        QCOMPARE(p2pLink->amountConnected(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(bridgeIn.count() >= 2, 20000);
        QVERIFY2(ask("after"), "the relay does not answer after the P2P server came back");

        client.stop();
        m_p2pServer.reset();
    }

    void endlessFrameDropsTheConnection()
    {
        QTcpServer farEnd;
        QVERIFY(farEnd.listen(QHostAddress::LocalHost, 0));
        auto link = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        link->setMessageHandler(QSharedPointer<HandleReceivedMessagesP2pClient>::create());
        link->setDefaultActionAfterConnected(QStringLiteral("none"));
        link->setParam("host", "127.0.0.1");
        link->setParam("port", farEnd.serverPort());
        bool inited = false;
        connect(link.data(), &ClientNetworkSimple::inited, this, [&inited] { inited = true; });
        link->start();
        QVERIFY(QTest::qWaitFor([&inited] { return inited; }, 10000));
        emit link->makeConnection();
        QVERIFY(farEnd.hasPendingConnections() || farEnd.waitForNewConnection(10000));
        QTcpSocket *peer = farEnd.nextPendingConnection();

        // 1 GiB of one frame that never ends, made as it is sent, the peer's own
        // buffer kept small so that only the link can hold what arrives.
        const qint64 total = 1ll << 30;
        const QByteArray chunk(1 << 20, 'x');
        const qint64 before = residentBytes();
        qint64 sent = 0;
        qint64 peak = before;
        bool dropped = false;
        const auto feed = [&] {
            while (!dropped && sent < total && peer->bytesToWrite() < 4 * chunk.size()) {
                peer->write(chunk);
                sent += chunk.size();
            }
            peak = qMax(peak, residentBytes());
        };
        connect(peer, &QTcpSocket::bytesWritten, this, feed);
        connect(peer, &QTcpSocket::disconnected, this, [&] { dropped = true; });
        feed();
        QVERIFY(QTest::qWaitFor([&] { return dropped || (sent >= total && peer->bytesToWrite() == 0); }, 120000));

        QVERIFY2(dropped, "the link read 1 GiB without a terminator and kept the connection");
        QVERIFY2(sent < total, qPrintable(QStringLiteral("dropped only after %1 bytes").arg(sent)));
        const qint64 growth = peak - before;
        QVERIFY2(growth < ClientNetworkSimple::kMaxBufferedBytes + (64ll << 20),
                 qPrintable(QStringLiteral("resident memory grew by %1 MiB").arg(growth >> 20)));
        QTRY_VERIFY_WITH_TIMEOUT(m_logLines.contains("without a frame terminator; connection dropped"), 10000);
        // And the link reconnects as after any loss.
        QVERIFY(farEnd.hasPendingConnections() || farEnd.waitForNewConnection(15000));
        qInfo() << "dropped after" << (sent >> 20) << "MiB sent; resident memory grew by" << (growth >> 20) << "MiB";
        stopThread(link.data());
    }
};

QTEST_GUILESS_MAIN(TstP2pFaults)
#include "tst_p2p_faults.moc"
