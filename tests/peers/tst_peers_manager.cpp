// The registry of peers: allocation without waiting, lookups and unknown ids.
// Its forwarding is exercised end to end by the hole-punching tests.
#include "TestSocket.h"
#include "client_base/other/peer/PeersManager.h"

#include <QSignalSpy>
#include <QtTest>

#include <stdexcept>

class TestPeersManager : public QObject
{
    Q_OBJECT

private slots:
    void allocatesAndLooksUpPeers();
    void deallocationEndsThePeer();
    void unknownSocketIdsRaise();
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

QTEST_GUILESS_MAIN(TestPeersManager)
#include "tst_peers_manager.moc"
