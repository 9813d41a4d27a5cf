// The registry of peers: allocation, lookups, forwarding and the re-emitted answers.
#include "AddressResolver.h"
#include "TestSocket.h"
#include "client_base/other/peer/PeersManager.h"

#include <QSignalSpy>
#include <QtTest>

#include <stdexcept>

class TestPeersManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void allocatesAndLooksUpPeers();
    void deallocationEndsThePeer();
    void unknownSocketIdsRaise();
    void forwardsAndReemitsThroughAWholeConnection();

private:
    Standin::AddressResolver m_resolver;
};

namespace {

QJsonObject streamPort(const QString &streamKey, const QString &portType)
{
    return {{QStringLiteral("streamKey"), streamKey}, {QStringLiteral("portType"), portType}};
}

QString socketIdOf(const QSignalSpy &spy, int index)
{
    return spy.at(index).at(0).toJsonObject().value(QStringLiteral("yourSocketId")).toString();
}

} // namespace

void TestPeersManager::initTestCase()
{
    QVERIFY(m_resolver.listen(QHostAddress::LocalHost, 0));
}

void TestPeersManager::allocatesAndLooksUpPeers()
{
    PeersManager manager;
    QSignalSpy inited(&manager, &PeersManager::peerInited);
    QSignalSpy bound(&manager, &PeersManager::peerBound);
    const QString rtp = manager.allocatePeer(streamPort(QStringLiteral("cam1"), QStringLiteral("rtp")));
    QVERIFY(manager.peer(rtp));
    QCOMPARE(manager.peer(rtp)->socketId(), rtp);
    QVERIFY(bound.count() || bound.wait(5000));
    QCOMPARE(socketIdOf(bound, 0), rtp);
    const quint16 rtpPort = manager.peer(rtp)->yourLocalPort();
    QCOMPARE(bound.at(0).at(0).toJsonObject().value(QStringLiteral("yourLocalPort")).toInt(), int(rtpPort));
    QVERIFY(rtpPort != 0);
    QCOMPARE(rtpPort % 2, 0);

    QJsonObject rtcpParams = streamPort(QStringLiteral("cam1"), QStringLiteral("rtcp"));
    rtcpParams.insert(QStringLiteral("yourLocalPort"), rtpPort + 1);
    const QString rtcp = manager.allocatePeer(rtcpParams);
    const QString other = manager.allocatePeer(streamPort(QStringLiteral("cam2"), QStringLiteral("rtp")));
    QTRY_COMPARE_WITH_TIMEOUT(manager.peer(rtcp)->yourLocalPort(), quint16(rtpPort + 1), 5000);
    QVERIFY(rtp != rtcp && rtcp != other && rtp != other);

    QTRY_COMPARE_WITH_TIMEOUT(inited.count(), 3, 5000);
    const QSet<QString> initedIds{socketIdOf(inited, 0), socketIdOf(inited, 1), socketIdOf(inited, 2)};
    QCOMPARE(initedIds, (QSet<QString>{rtp, rtcp, other}));

    QCOMPARE(manager.peerByStreamKeyAndPortType(QStringLiteral("cam1"), QStringLiteral("rtp")).data(), manager.peer(rtp).data());
    QCOMPARE(manager.peerByStreamKeyAndPortType(QStringLiteral("cam1"), QStringLiteral("rtcp")).data(), manager.peer(rtcp).data());
    QCOMPARE(manager.peerByStreamKeyAndPortType(QStringLiteral("cam2"), QStringLiteral("rtp")).data(), manager.peer(other).data());
    QVERIFY(!manager.peerByStreamKeyAndPortType(QStringLiteral("cam2"), QStringLiteral("rtcp")));
    QVERIFY(!manager.peerByStreamKeyAndPortType(QStringLiteral("cam3"), QStringLiteral("rtp")));
    QVERIFY(!manager.peer(QStringLiteral("{00000000-0000-0000-0000-000000000000}")));
}

void TestPeersManager::deallocationEndsThePeer()
{
    PeersManager manager;
    const QString id = manager.allocatePeer(streamPort(QStringLiteral("cam1"), QStringLiteral("rtp")));
    QTRY_VERIFY_WITH_TIMEOUT(manager.peer(id)->yourLocalPort() != 0, 5000);
    const quint16 port = manager.peer(id)->yourLocalPort();
    QVERIFY(!TestSocket::canBind(port));

    manager.deallocatePeer(QStringLiteral("unknown"));
    QVERIFY(manager.peer(id));
    manager.deallocatePeer(id);
    QVERIFY(!manager.peer(id));
    QVERIFY(!manager.peerByStreamKeyAndPortType(QStringLiteral("cam1"), QStringLiteral("rtp")));
    // The last reference is gone, so the peer's thread has ended and its socket with it.
    QVERIFY(TestSocket::canBind(port));
}

void TestPeersManager::unknownSocketIdsRaise()
{
    PeersManager manager;
    const QString id = QStringLiteral("{11111111-2222-3333-4444-555555555555}");
    const std::string expected = "Socket with socketId='" + id.toStdString() + "' is absent in peer storage!";
    const std::vector<std::function<void()>> operations{
        [&] { manager.resolveGlobalAddress(id); },
        [&] { manager.startHolePunching(id); },
        [&] { manager.setYourSignPwd(id, QStringLiteral("sign"), QStringLiteral("pwd")); },
        [&] { manager.setRemoteSignPwd(id, QStringLiteral("sign"), QStringLiteral("pwd")); },
        [&] { manager.disconnectFromHost(id, {}); },
    };
    for (const auto &operation : operations) {
        try {
            operation();
            QFAIL("an unknown socket id was accepted");
        } catch (const std::runtime_error &e) {
            QCOMPARE(std::string(e.what()), expected);
        }
    }
}

void TestPeersManager::forwardsAndReemitsThroughAWholeConnection()
{
    PeersManager manager;
    QSignalSpy resolved(&manager, &PeersManager::globalAdressIsDescavered);
    QSignalSpy established(&manager, &PeersManager::connectionEstablished);
    QSignalSpy released(&manager, &PeersManager::releasedFromHost);
    manager.setResolverEndpoint(QStringLiteral("127.0.0.1"), m_resolver.port());
    const QString a = manager.allocatePeer(streamPort(QStringLiteral("camA"), QStringLiteral("rtp")));
    const QString b = manager.allocatePeer(streamPort(QStringLiteral("camB"), QStringLiteral("rtp")));

    manager.setYourSignPwd(a, QStringLiteral("signA"), QStringLiteral("pwdA"));
    manager.setRemoteSignPwd(a, QStringLiteral("signB"), QStringLiteral("pwdB"));
    QCOMPARE(manager.peer(a)->yourSign(), QStringLiteral("signA"));
    QCOMPARE(manager.peer(a)->yourPwd(), QStringLiteral("pwdA"));
    QCOMPARE(manager.peer(a)->remoteSign(), QStringLiteral("signB"));

    manager.resolveGlobalAddress(a);
    manager.resolveGlobalAddress(b);
    QTRY_COMPARE_WITH_TIMEOUT(resolved.count(), 2, 5000);
    QCOMPARE((QSet<QString>{socketIdOf(resolved, 0), socketIdOf(resolved, 1)}), (QSet<QString>{a, b}));

    const auto introduce = [&](const QString &to, const QString &from) {
        const QSharedPointer<PeerBase> target = manager.peer(to);
        const QSharedPointer<PeerBase> source = manager.peer(from);
        target->setRemoteGlobalIp(source->yourGlobalIp());
        target->setRemoteGlobalPort(source->yourGlobalPort());
        target->setRemoteLocalIp(source->yourLocalIp());
        target->setRemoteLocalPort(source->yourLocalPort());
    };
    introduce(a, b);
    introduce(b, a);
    manager.startHolePunching(a);
    manager.startHolePunching(b);
    QTRY_COMPARE_WITH_TIMEOUT(established.count(), 2, 10000);
    QCOMPARE((QSet<QString>{socketIdOf(established, 0), socketIdOf(established, 1)}), (QSet<QString>{a, b}));

    const quint16 port = manager.peer(a)->yourLocalPort();
    manager.disconnectFromHost(a, {{QStringLiteral("streamKey"), QStringLiteral("camA")}});
    QVERIFY(released.count() || released.wait(5000));
    const QJsonObject answer = released.at(0).at(0).toJsonObject();
    QCOMPARE(answer.value(QStringLiteral("socketId")).toString(), a);
    QCOMPARE(answer.value(QStringLiteral("streamKey")).toString(), QStringLiteral("camA"));
    QVERIFY(TestSocket::canBind(port));
}

QTEST_GUILESS_MAIN(TestPeersManager)
#include "tst_peers_manager.moc"
