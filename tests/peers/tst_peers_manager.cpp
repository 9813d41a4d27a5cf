// The registry of peers: a peer's end frees its port; unknown ids raise.
// Allocation, lookups and forwarding are exercised end to end by the P2P hole-punching test.
#include "TestSocket.h"
#include "client_base/other/peer/PeersManager.h"

#include <QtTest>

#include <stdexcept>

class TestPeersManager : public QObject
{
    Q_OBJECT

private slots:
    void deallocationEndsThePeer();
    void unknownSocketIdsRaise();
};

namespace {

QJsonObject streamPort(const QString &streamKey, const QString &portType)
{
    return {{QStringLiteral("streamKey"), streamKey}, {QStringLiteral("portType"), portType}};
}

} // namespace

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
