// A remote installation asks this client, through the stand-in P2P server, to
// open a port for a stream; both sides learn their addresses from the
// stand-in resolver and punch a UDP path on 127.0.0.1.
#include "AddressResolver.h"
#include "FrameReader.h"
#include "LogCapture.h"
#include "P2pModeLink.h"
#include "P2pServer.h"
#include "base/SettingsSimple.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "nt_common/core/singleton/SpSingleton.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

using P2pClientController::PeersManagerController;

namespace {

// The remote installation's side of the P2P server connection, spoken raw.
class RawP2pClient : public QObject
{
public:
    RawP2pClient(const QString &sign, const QString &secret, quint16 port)
        : m_sign(sign)
    {
        connect(&m_socket, &QTcpSocket::readyRead, this, [this] {
            m_reader.append(m_socket.readAll());
            for (const QByteArray &body : m_reader.takeBodies()) {
                for (const QJsonValue &item : QJsonDocument::fromJson(body).array())
                    received.append(item.toObject());
            }
        });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        send({{"FN", "auth_trAuth"}, {"SID", secret}});
    }

    void send(QJsonObject message)
    {
        message.insert("SIGN", m_sign);
        m_socket.write(Standin::FrameReader::encode({message}));
    }

    int count(const QString &fn) const
    {
        int n = 0;
        for (const QJsonObject &m : received)
            n += m.value("FN").toString() == fn ? 1 : 0;
        return n;
    }

    QJsonObject last(const QString &fn) const
    {
        for (int i = received.size() - 1; i >= 0; --i) {
            if (received.at(i).value("FN").toString() == fn)
                return received.at(i);
        }
        return {};
    }

    QList<QJsonObject> received;

private:
    QString m_sign;
    QTcpSocket m_socket;
    Standin::FrameReader m_reader;
};

} // namespace

class TstP2pHolePunching : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        // The client writes below its working folder; the test watches the folder above it too.
        QVERIFY(QDir(m_workDir.path()).mkpath("run"));
        QVERIFY(QDir::setCurrent(m_workDir.filePath("run")));
        QVERIFY(m_resolver.listen(QHostAddress::LocalHost, 0));
        QVERIFY(m_p2pServer.listen(QHostAddress::LocalHost, 0));
        m_p2pServer.accounts().add("viewer", "viewer-secret");
        m_p2pServer.accounts().add("site", "site-secret");

        m_link->setSign("viewer");
        m_link->setPwd("viewer-secret");
        // The resolver runs on the P2P server's host, on a port "main.conf" names.
        {
            QSettings conf(m_workDir.filePath("main.conf"), QSettings::IniFormat);
            conf.setValue("P2pServer/resolverPort", m_resolver.port());
        }
        SpSingleton<LynClientBase::SettingsSimple>::instance(m_workDir.filePath("main.conf"), QSettings::IniFormat);
        QVERIFY(m_client.start("127.0.0.1", m_p2pServer.port(), "site"));
        QVERIFY(m_client.logIn(5000));

        m_site = std::make_unique<RawP2pClient>("site", "site-secret", m_p2pServer.port());
        QTRY_COMPARE_WITH_TIMEOUT(m_site->count("auth_saAuth"), 1, 5000);
        m_p2pServer.accounts().add("intruder", "intruder-secret");
    }

    void openPortRequestEndsInAPunchedPathAndAReceiverDescription()
    {
        PeersManagerController controller;
        QSignalSpy established(&controller, &PeersManagerController::connectionEstablished);
        QSignalSpy released(&controller, &PeersManagerController::releasedFromHost);

        // The site's own peer for the stream, with its public address known.
        bool siteResolved = false;
        bool siteConnected = false;
        QSharedPointer<PeerBase> sitePeer(new PeerBase({{"portType", "rtp"}, {"streamKey", "cam1"}}, [&](PeerBase &peer) {
            peer.setResolverEndpoint("127.0.0.1", m_resolver.port());
            connect(&peer, &PeerBase::globalAdressIsDescavered, this, [&siteResolved] { siteResolved = true; });
            connect(&peer, &PeerBase::connectionEstablished, this, [&siteConnected] { siteConnected = true; });
        }));
        QTRY_VERIFY_WITH_TIMEOUT(sitePeer->yourLocalPort() != 0, 5000);
        emit sitePeer->resolveGlobalAddress();
        QTRY_VERIFY_WITH_TIMEOUT(siteResolved, 5000);

        m_site->send({{"FN", "peersManager_trOpenPortOnRemote"},
                      {"remoteSign", "viewer"},
                      {"yourSocketId", sitePeer->socketId()},
                      {"yourGlobalIp", sitePeer->yourGlobalIp()},
                      {"yourGlobalPort", sitePeer->yourGlobalPort()},
                      {"yourLocalIp", sitePeer->yourLocalIp()},
                      {"yourLocalPort", sitePeer->yourLocalPort()},
                      {"streamKey", "cam1"},
                      {"portType", "rtp"}});

        // The client answers once its RTP peer knows its public address; the server passes it on.
        QTRY_COMPARE_WITH_TIMEOUT(m_site->count("peersManager_srOpenPortOnExistsRemote"), 1, 10000);
        const QJsonObject answer = m_site->last("peersManager_srOpenPortOnExistsRemote");
        QCOMPARE(answer.value("yourSocketId").toString(), sitePeer->socketId());
        QCOMPARE(answer.value("remoteSign").toString(), QStringLiteral("viewer"));

        const QString rtpId = controller.peerByStreamKeyAndPortType("cam1", "rtp");
        const QString rtcpId = controller.peerByStreamKeyAndPortType("cam1", "rtcp");
        QVERIFY(!rtpId.isEmpty() && !rtcpId.isEmpty());
        const QJsonObject rtp = controller.peer(rtpId);
        QCOMPARE(rtp.value("yourLocalPort").toInt() % 2, 0);
        QCOMPARE(controller.peer(rtcpId).value("yourLocalPort").toInt(), rtp.value("yourLocalPort").toInt() + 1);
        QCOMPARE(rtp.value("remoteSocketId").toString(), sitePeer->socketId());
        QCOMPARE(rtp.value("yourSign").toString(), QStringLiteral("viewer"));
        QCOMPARE(answer.value("remoteLocalPort").toInt(), rtp.value("yourLocalPort").toInt());

        sitePeer->setRemoteGlobalIp(answer.value("remoteGlobalIp").toString());
        sitePeer->setRemoteGlobalPort(static_cast<quint16>(answer.value("remoteGlobalPort").toInt()));
        sitePeer->setRemoteLocalIp(answer.value("remoteLocalIp").toString());
        sitePeer->setRemoteLocalPort(static_cast<quint16>(answer.value("remoteLocalPort").toInt()));
        emit sitePeer->startHolePunching();

        QVERIFY(established.count() || established.wait(10000));
        QCOMPARE(established.first().at(0).toJsonObject().value("yourSocketId").toString(), rtpId);
        QTRY_VERIFY_WITH_TIMEOUT(siteConnected, 10000);

        // A repeated request for a stream whose port is in use changes nothing.
        m_site->send({{"FN", "peersManager_trOpenPortOnRemote"}, {"remoteSign", "viewer"},
                      {"yourSocketId", "{other}"}, {"streamKey", "cam1"}, {"portType", "rtp"}});
        QVERIFY(!QTest::qWaitFor([this] { return m_site->count("peersManager_srOpenPortOnExistsRemote") > 1; }, 1500));
        QCOMPARE(controller.peer(rtpId).value("remoteSocketId").toString(), sitePeer->socketId());

        // Released, the port is free for the player, and its description names it.
        controller.disconnectFromHost(rtpId, {{"streamKey", "cam1"}});
        QVERIFY(released.count() || released.wait(5000));
        QCOMPARE(released.first().at(0).toJsonObject().value("socketId").toString(), rtpId);
        const quint16 port = static_cast<quint16>(rtp.value("yourLocalPort").toInt());
        QUdpSocket player;
        QVERIFY(player.bind(QHostAddress::AnyIPv4, port));

        const QString path = controller.createFfmpegReceiverSDPFile({{"streamKey", "cam1"}, {"ip", "::ffff:127.0.0.1"}, {"rtpPort", port}});
        QCOMPARE(path, QDir::current().absoluteFilePath("sdpReceiver/cam1.sdp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("c=IN IP4 127.0.0.1\nm=video %1 RTP/AVP 96\na=rtpmap:96 H264/90000\na=fmtp:96 packetization-mode=1\n").arg(port));

        controller.deallocatePeer(rtpId);
        controller.deallocatePeer(rtcpId);
    }

    void openPortRequestsAreCheckedBeforeAnyPortOpens()
    {
        PeersManagerController controller;
        RawP2pClient intruder("intruder", "intruder-secret", m_p2pServer.port());
        QTRY_COMPARE_WITH_TIMEOUT(intruder.count("auth_saAuth"), 1, 5000);
        const QString answers = "peersManager_srOpenPortOnExistsRemote";

        // Only the configured remote installation may open ports here.
        intruder.send(openPort("evil", "rtp", "{intruder-1}"));
        QTRY_COMPARE_WITH_TIMEOUT(intruder.count("peersManager_saOpenPortOnRemote"), 1, 5000);
        // A port type that is neither RTP nor RTCP is refused with its reason.
        const int before = m_site->count(answers);
        m_site->send(openPort("cam9", "video", "{site-9}"));
        QTRY_COMPARE_WITH_TIMEOUT(m_site->count(answers), before + 1, 5000);
        QCOMPARE(m_site->last(answers).value("RES").toInt(-1), 0);
        QCOMPARE(m_site->last(answers).value("yourSocketId").toString(), QStringLiteral("{site-9}"));
        QVERIFY(m_site->last(answers).value("errorMessage").toString().contains("port type"));
        QVERIFY(controller.peerByStreamKeyAndPortType("evil", "rtp").isEmpty());
        QVERIFY(controller.peerByStreamKeyAndPortType("cam9", "rtp").isEmpty());

        // Each stream takes an RTP and the RTCP port after it, up to the cap.
        const int streams = PeersManagerController::kMaxPeersPerRemote / 2;
        for (int i = 0; i <= streams; ++i)
            m_site->send(openPort(QStringLiteral("many%1").arg(i), i % 2 ? "rtcp" : "rtp", QStringLiteral("{many-%1}").arg(i)));
        const auto refused = [&] {
            for (const QJsonObject &m : m_site->received) {
                if (m.value("FN").toString() == answers && m.value("RES").toInt(-1) == 0
                    && m.value("yourSocketId").toString() == QStringLiteral("{many-%1}").arg(streams))
                    return m.value("errorMessage").toString();
            }
            return QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!refused().isEmpty(), 10000);
        QVERIFY(refused().contains("Too many"));
        QStringList ids;
        for (int i = 0; i < streams; ++i) {
            const QString rtp = controller.peerByStreamKeyAndPortType(QStringLiteral("many%1").arg(i), "rtp");
            QTRY_VERIFY_WITH_TIMEOUT(!controller.peerByStreamKeyAndPortType(QStringLiteral("many%1").arg(i), "rtcp").isEmpty(), 5000);
            const QString rtcp = controller.peerByStreamKeyAndPortType(QStringLiteral("many%1").arg(i), "rtcp");
            QTRY_VERIFY_WITH_TIMEOUT(controller.peer(rtcp).value("yourLocalPort").toInt() != 0, 5000);
            QCOMPARE(controller.peer(rtcp).value("yourLocalPort").toInt(), controller.peer(rtp).value("yourLocalPort").toInt() + 1);
            ids << rtp << rtcp;
        }
        QVERIFY(controller.peerByStreamKeyAndPortType(QStringLiteral("many%1").arg(streams), "rtp").isEmpty());
        for (const QString &id : ids)
            controller.deallocatePeer(id);
    }

    void unansweredResolverEndsInARefusal()
    {
        PeersManagerController controller;
        QUdpSocket silentResolver;
        QVERIFY(silentResolver.bind(QHostAddress(QHostAddress::LocalHost), 0));
        m_link->setParam("resolver_port", silentResolver.localPort());
        // Late answers of earlier cases may still arrive: look only for this request's.
        const auto answerFor = [this](const QString &socketId) {
            for (const QJsonObject &m : m_site->received) {
                if (m.value("FN").toString() == QStringLiteral("peersManager_srOpenPortOnExistsRemote")
                    && m.value("yourSocketId").toString() == socketId)
                    return m;
            }
            return QJsonObject();
        };
        m_site->send(openPort("cam5", "rtp", "{site-5}"));
        QTRY_VERIFY_WITH_TIMEOUT(!answerFor("{site-5}").isEmpty(), 20000);
        m_link->setParam("resolver_port", m_resolver.port());
        const QJsonObject answer = answerFor("{site-5}");
        QCOMPARE(answer.value("RES").toInt(-1), 0);
        QVERIFY(answer.value("errorMessage").toString().contains("did not answer"));
        int requests = 0;
        while (silentResolver.hasPendingDatagrams()) {
            silentResolver.receiveDatagram();
            ++requests;
        }
        QVERIFY(requests > 1);
        controller.deallocatePeer(controller.peerByStreamKeyAndPortType("cam5", "rtp"));
        controller.deallocatePeer(controller.peerByStreamKeyAndPortType("cam5", "rtcp"));
    }

    void resolverDefaultsToTheP2pServerHost()
    {
        Standin::AddressResolver resolver;
        if (!resolver.listen(QHostAddress("127.0.0.2"), 50005))
            QSKIP("127.0.0.2:50005 is taken on this machine");
        PeersManagerController controller;
        QSignalSpy resolved(SpSingleton<PeersManager>::sharedInstance().data(), &PeersManager::globalAdressIsDescavered);
        // Read when a peer is made; the link stays connected to the server it has.
        m_link->setParam("host", "127.0.0.2");
        m_link->setParam("resolver_port", QVariant());
        const QString id = controller.allocatePeer({{"portType", "rtp"}, {"streamKey", "camDefault"}});
        m_link->setParam("host", "127.0.0.1");
        m_link->setParam("resolver_port", m_resolver.port());
        controller.resolveGlobalAddress(id);
        QVERIFY(resolved.count() || resolved.wait(5000));
        QCOMPARE(resolved.first().at(0).toJsonObject().value("yourSocketId").toString(), id);
        controller.deallocatePeer(id);
    }

    void shorterDescriptionLeavesNoRemains()
    {
        PeersManagerController controller;
        controller.createFfmpegReceiverSDPFile({{"streamKey", "k"}, {"ip", "192.168.100.200"}, {"rtpPort", 50000}});
        const QString path = controller.createFfmpegReceiverSDPFile({{"streamKey", "k"}, {"ip", "10.0.0.1"}, {"rtpPort", 2}});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("c=IN IP4 10.0.0.1\nm=video 2 RTP/AVP 96\n"));
        QCOMPARE(file.size(), qint64(QByteArray("c=IN IP4 10.0.0.1\nm=video 2 RTP/AVP 96\na=rtpmap:96 H264/90000\na=fmtp:96 packetization-mode=1\n").size()));
    }

    void hostileStreamKeysWriteNothing_data()
    {
        QTest::addColumn<QString>("streamKey");
        QTest::newRow("parent") << "../escaped";
        QTest::newRow("slash") << "a/b";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("dots") << "..";
        QTest::newRow("drive") << "c:evil";
        QTest::newRow("empty") << "";
        QTest::newRow("control") << QStringLiteral("a\nb");
        QTest::newRow("long") << QString(300, 'k');
    }

    void hostileStreamKeysWriteNothing()
    {
        QFETCH(QString, streamKey);
        PeersManagerController controller;
        const QStringList before = allFiles();
        QCOMPARE(controller.createFfmpegReceiverSDPFile({{"streamKey", streamKey}, {"ip", "127.0.0.1"}, {"rtpPort", 5000}}), QString());
        QCOMPARE(allFiles(), before);
    }

    void unknownSocketIdsAreLoggedAndSendNothing()
    {
        PeersManagerController controller;
        const LogCapture log;
        const int before = m_site->received.size();
        controller.taOpenPortOnRemote("{missing}");
        controller.trOpenPortOnRemote({{"yourSocketId", "{missing}"}});
        controller.startHolePunching("{missing}");
        QCOMPARE(controller.peer("{missing}"), QJsonObject());
        QCOMPARE(log.count("Socket with socketId='{missing}' is absent in peer storage!"), 3);
        QVERIFY(!QTest::qWaitFor([&] { return m_site->received.size() > before; }, 1000));
    }

private:
    static QJsonObject openPort(const QString &streamKey, const QString &portType, const QString &socketId)
    {
        return {{"FN", "peersManager_trOpenPortOnRemote"}, {"remoteSign", "viewer"}, {"yourSocketId", socketId},
                {"yourGlobalIp", "127.0.0.1"}, {"yourGlobalPort", 9}, {"yourLocalIp", "127.0.0.1"}, {"yourLocalPort", 9},
                {"streamKey", streamKey}, {"portType", portType}};
    }

    QStringList allFiles() const
    {
        QStringList files;
        QDirIterator it(m_workDir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        return files;
    }

    QTemporaryDir m_workDir;
    QTemporaryDir m_dbDir;
    Standin::ServerLog m_log;
    Standin::AddressResolver m_resolver;
    Standin::P2pServer m_p2pServer{m_log, m_dbDir.filePath("p2p.sqlite")};
    P2pModeLink m_client;
    const QSharedPointer<P2pMeetingClientNetworkSimpleFinal> &m_link = m_client.p2pLink();
    std::unique_ptr<RawP2pClient> m_site;
};

QTEST_GUILESS_MAIN(TstP2pHolePunching)
#include "tst_p2p_hole_punching.moc"
