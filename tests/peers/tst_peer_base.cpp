// A single peer against real UDP sockets on 127.0.0.1: a port that is taken,
// the exchange with a scripted resolver and a target that is no address. A
// resolver that never answers is the P2P hole-punching test's, end to end.
#include "DebugCapture.h"
#include "LogCapture.h"
#include "PeerProbe.h"
#include "TestSocket.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

class TestPeerBase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void takenRequestedPortFallsBackToFreePort();
    void resolverExchangeIgnoresMalformedAnswers();
    void invalidHolePunchingTargetIsReportedAndChangesNothing();

private:
    void pointResolverAt(quint16 port);
};

void TestPeerBase::init()
{
    PeerProbe::setResolver(QStringLiteral("127.0.0.1"), 0);
}

void TestPeerBase::pointResolverAt(quint16 port)
{
    PeerProbe::setResolver(QStringLiteral("127.0.0.1"), port);
}

void TestPeerBase::takenRequestedPortFallsBackToFreePort()
{
    LogCapture log;
    TestSocket holder;
    QVERIFY(holder.bind(QHostAddress::AnyIPv4));
    PeerProbe probe;
    const auto peer = probe.started({{QStringLiteral("yourLocalPort"), holder.port()}});
    QVERIFY(peer);
    QVERIFY(peer->yourLocalPort() != 0);
    QVERIFY(peer->yourLocalPort() != holder.port());
    QVERIFY(!TestSocket::canBind(peer->yourLocalPort()));
    QVERIFY(log.contains(QStringLiteral("error PeerBase id: '%1' cannot bind local port %2")
                             .arg(peer->socketId()).arg(holder.port())));
}

void TestPeerBase::resolverExchangeIgnoresMalformedAnswers()
{
    LogCapture log;
    DebugCapture debug;
    TestSocket resolver;
    QVERIFY(resolver.bind());
    pointResolverAt(resolver.port());

    PeerProbe probe;
    QSignalSpy resolved(&probe, &PeerProbe::globalAdressIsDescavered);
    const auto peer = probe.started();
    QVERIFY(peer);
    const quint16 localPort = peer->yourLocalPort();

    emit peer->resolveGlobalAddress();
    const QNetworkDatagram request = resolver.next();
    QVERIFY(request.isValid());
    QCOMPARE(request.data(), QByteArray("{\n    \"fn\": \"trPeerInfo\"\n}\n"));
    QCOMPARE(request.senderPort(), int(localPort));
    // A lost request is sent again.
    QCOMPARE(resolver.next().data(), request.data());
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::ResolvingGlobalAddress);
    QCOMPARE(peer->yourLocalIp(), QStringLiteral("127.0.0.1"));
    QVERIFY(debug.contains(QStringLiteral("_yourLocalIp")));

    const QHostAddress peerAddress = request.senderAddress();
    resolver.send("this is { not json", peerAddress, localPort);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("warning PeerBase failed to parse data to json. Error description: '")), 5000);
    QVERIFY(log.contains(QStringLiteral("data: 'this is { not json'!")));
    resolver.send("[1, 2, 3]", peerAddress, localPort);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("warning Incoming json is not object. Incoming json: '[1, 2, 3]'!")), 5000);
    resolver.send(R"({"fn": "saPeerInfo", "globalIp": "nowhere", "globalPort": 7})", peerAddress, localPort);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("ignores an answer without a valid globalIp and globalPort")), 5000);
    resolver.send(R"({"fn": "somethingElse"})", peerAddress, localPort);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("info PeerBase id: '%1' received '{\"fn\":\"somethingElse\"}'").arg(peer->socketId())), 5000);
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::ResolvingGlobalAddress);
    QCOMPARE(peer->yourGlobalIp(), QString());

    resolver.send(R"({"fn": "saPeerInfo", "globalIp": "203.0.113.7", "globalPort": 40000})", peerAddress, localPort);
    QVERIFY(resolved.count() || resolved.wait(5000));
    QCOMPARE(resolved.count(), 1);
    QCOMPARE(resolved.at(0).at(0).toJsonObject().value(QStringLiteral("yourSocketId")).toString(), peer->socketId());
    QCOMPARE(peer->yourGlobalIp(), QStringLiteral("203.0.113.7"));
    QCOMPARE(peer->yourGlobalPort(), quint16(40000));
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::GlobalAddressResolved);

    // Rebound to the same port and no longer tied to the resolver: a datagram
    // from anyone reaches it.
    QCOMPARE(peer->yourLocalPort(), localPort);
    TestSocket stranger;
    QVERIFY(stranger.bind());
    stranger.send("marker-after-rebind", QHostAddress::LocalHost, localPort);
    QTRY_VERIFY_WITH_TIMEOUT(debug.contains(QStringLiteral("marker-after-rebind")), 5000);
}

void TestPeerBase::invalidHolePunchingTargetIsReportedAndChangesNothing()
{
    LogCapture log;
    PeerProbe probe;
    const auto peer = probe.started();
    QVERIFY(peer);
    peer->setRemoteGlobalIp(QStringLiteral("not-an-address"));
    peer->setRemoteGlobalPort(4000);

    emit peer->startHolePunching();
    QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral(
        "error ..\\src\\client_base\\other\\peer\\PeerBase::PeerBase::startHolePunchingSlot exception, , description: '")), 5000);
    QCOMPARE(peer->socketConnectionMode(), SocketConnectionMode::Initial);
}

QTEST_GUILESS_MAIN(TestPeerBase)
#include "tst_peer_base.moc"
