// Hole punching on 127.0.0.1: a peer resolved through the stand-in resolver
// against plain sockets standing for the remote side's two addresses.
#include "AddressResolver.h"
#include "PeerProbe.h"
#include "TestSocket.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

class TestHolePunching : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void equalGlobalAddressesAimAtRemoteLocal();
    void otherGlobalAddressIsAimedAtAndAnsweredOnce();
    void probesFromOtherAddressesDoNotCount();

private:
    std::unique_ptr<PeerBase> resolvedPeer(PeerProbe &probe);
    static void aim(PeerBase &peer, const QString &globalIp, quint16 globalPort, const QString &localIp, quint16 localPort);

    Standin::AddressResolver m_resolver;
};

void TestHolePunching::initTestCase()
{
    QVERIFY(m_resolver.listen(QHostAddress::LocalHost, 0));
    PeerProbe::setResolver(QStringLiteral("127.0.0.1"), m_resolver.port());
}

std::unique_ptr<PeerBase> TestHolePunching::resolvedPeer(PeerProbe &probe)
{
    QSignalSpy resolved(&probe, &PeerProbe::globalAdressIsDescavered);
    auto peer = probe.started();
    if (!peer)
        return nullptr;
    emit peer->resolveGlobalAddress();
    if (!(resolved.count() || resolved.wait(5000)))
        return nullptr;
    return peer;
}

void TestHolePunching::aim(PeerBase &peer, const QString &globalIp, quint16 globalPort, const QString &localIp, quint16 localPort)
{
    peer.setRemoteGlobalIp(globalIp);
    peer.setRemoteGlobalPort(globalPort);
    peer.setRemoteLocalIp(localIp);
    peer.setRemoteLocalPort(localPort);
}

void TestHolePunching::equalGlobalAddressesAimAtRemoteLocal()
{
    TestSocket remoteGlobal;
    TestSocket remoteLocal;
    QVERIFY(remoteGlobal.bind());
    QVERIFY(remoteLocal.bind());
    PeerProbe probe;
    const auto peer = resolvedPeer(probe);
    QVERIFY(peer);

    aim(*peer, peer->yourGlobalIp(), remoteGlobal.port(), QStringLiteral("127.0.0.1"), remoteLocal.port());
    emit peer->startHolePunching();

    const QNetworkDatagram probeDatagram = remoteLocal.next();
    QVERIFY(probeDatagram.isValid());
    QCOMPARE(probeDatagram.data(), QByteArray("HELLO"));
    QCOMPARE(probeDatagram.senderPort(), int(peer->yourLocalPort()));
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::HolePunching);
    // The probe is sent to one target only, and it went to the local one.
    QVERIFY(!remoteGlobal.hasPending());
}

void TestHolePunching::otherGlobalAddressIsAimedAtAndAnsweredOnce()
{
    // 127.0.0.2 is another loopback address: a public address unlike our own.
    TestSocket remoteGlobal;
    TestSocket remoteLocal;
    QVERIFY(remoteGlobal.bind(QHostAddress(QStringLiteral("127.0.0.2"))));
    QVERIFY(remoteLocal.bind());
    PeerProbe probe;
    QSignalSpy established(&probe, &PeerProbe::connectionEstablished);
    QSignalSpy released(&probe, &PeerProbe::releasedFromHost);
    const auto peer = resolvedPeer(probe);
    QVERIFY(peer);

    aim(*peer, QStringLiteral("127.0.0.2"), remoteGlobal.port(), QStringLiteral("127.0.0.1"), remoteLocal.port());
    emit peer->startHolePunching();

    const QNetworkDatagram first = remoteGlobal.next();
    QVERIFY(first.isValid());
    QCOMPARE(first.data(), QByteArray("HELLO"));
    QVERIFY(!remoteLocal.hasPending());

    // The remote side's probe arrives: one acknowledgement, one report.
    remoteGlobal.send("..HELLO..", first.senderAddress(), quint16(first.senderPort()));
    QNetworkDatagram answer;
    do {
        answer = remoteGlobal.next();
        QVERIFY(answer.isValid());
    } while (answer.data() == "HELLO");
    QCOMPARE(answer.data(), QByteArray("RECEIVED"));
    QVERIFY(established.count() || established.wait(5000));
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::Connected);

    // Later probes and acknowledgements, and a new request to punch, are not answered.
    remoteGlobal.send("HELLO", first.senderAddress(), quint16(first.senderPort()));
    remoteGlobal.send("RECEIVED", first.senderAddress(), quint16(first.senderPort()));
    emit peer->startHolePunching();
    PeerProbe::sync(*peer);
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::Connected);
    emit peer->makeReleasedFromHost({});
    QVERIFY(released.count() || released.wait(5000));
    QVERIFY(!remoteGlobal.hasPending());
    QVERIFY(!remoteLocal.hasPending());
    QCOMPARE(established.count(), 1);
}

void TestHolePunching::probesFromOtherAddressesDoNotCount()
{
    TestSocket remote;
    TestSocket stranger;
    QVERIFY(remote.bind(QHostAddress(QStringLiteral("127.0.0.2"))));
    QVERIFY(stranger.bind());
    PeerProbe probe;
    QSignalSpy established(&probe, &PeerProbe::connectionEstablished);
    const auto peer = resolvedPeer(probe);
    QVERIFY(peer);
    aim(*peer, QStringLiteral("127.0.0.2"), remote.port(), QStringLiteral("127.0.0.2"), remote.port());

    // The peer's thread is held, so that the stranger's probe is still waiting
    // in the socket when hole punching starts.
    QSemaphore held;
    QSemaphore go;
    QMetaObject::invokeMethod(peer.get(), [&] {
        held.release();
        go.tryAcquire(1, 5000);
    });
    QVERIFY(held.tryAcquire(1, 5000));
    stranger.send("HELLO", QHostAddress::LocalHost, peer->yourLocalPort());
    emit peer->startHolePunching();
    go.release();

    const QNetworkDatagram first = remote.next();
    QCOMPARE(first.data(), QByteArray("HELLO"));
    stranger.send("RECEIVED", QHostAddress::LocalHost, peer->yourLocalPort());
    PeerProbe::sync(*peer);
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::HolePunching);
    QCOMPARE(established.count(), 0);
    QVERIFY(!stranger.hasPending());

    // The expected side's probe opens the path.
    remote.send("HELLO", first.senderAddress(), quint16(first.senderPort()));
    QVERIFY(established.count() || established.wait(5000));
}

QTEST_GUILESS_MAIN(TestHolePunching)
#include "tst_hole_punching.moc"
