// The P2P link over a real TCP connection to a fake far end on 127.0.0.1.
#include "DebugCapture.h"
#include "FakeP2pPeer.h"
#include "MainLogFile.h"
#include "NetnsLab.h"
#include "base/LogSetup.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/auth/Auth.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"
#include "nt_common/core/log/LogText.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using P2pClientBase::ClientNetworkSimple;

namespace {

QList<QJsonObject> frameObjects(const QByteArray &body)
{
    QList<QJsonObject> objects;
    for (const QJsonValue &v : QJsonDocument::fromJson(body).array())
        objects.append(v.toObject());
    return objects;
}

} // namespace

class TstP2pLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        LynClientBase::LogSetup::start(m_logDir.path());
        m_link = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        m_link->setMessageHandler(QSharedPointer<HandleReceivedMessagesP2pClient>::create());
        P2pClientController::ControllerBase::setLink(m_link);
        m_link->setDefaultActionAfterConnected(QStringLiteral("none"));
        connect(m_link.data(), &ClientNetworkSimple::messageReceived, this,
                [this](std::shared_ptr<DTO> m) { m_delivered.append(*m); });
        connect(m_link.data(), &ClientNetworkSimple::connectionState, this,
                [this](bool state) { m_states.append(state); });
        m_link->setParam("host", "127.0.0.1");
        m_link->setParam("port", m_peer.port());
        // inited() comes from the link's thread: a spy would be filled there, so it is relayed here.
        QObject relay;
        bool inited = false;
        connect(m_link.data(), &ClientNetworkSimple::inited, &relay, [&inited] { inited = true; });
        m_link->start();
        QTRY_VERIFY_WITH_TIMEOUT(inited, 5000);
    }

    void init()
    {
        m_delivered.clear();
        m_states.clear();
        m_link->setUseCompression(false);
        if (!m_peer.socket() || m_peer.socket()->state() != QAbstractSocket::ConnectedState) {
            QSignalSpy connected(&m_peer, &FakeP2pPeer::connected);
            emit m_link->makeConnection();
            QVERIFY(connected.count() || connected.wait(5000));
        }
    }

    void cleanupTestCase()
    {
        m_link->quit();
        m_link->wait();
    }

    // How reads are cut into frames is the frame splitter's fuzz target's; a
    // terminator inside a text crosses the relay whole in tst_p2p_relay.
    void badBodiesAreLoggedAndSkipped()
    {
        m_peer.write("[{\"n\":1}, 5, {\"n\":2}]#ENDMSG{\"n\":9}#ENDMSG[not json#ENDMSG[{\"n\":3}]#ENDMSG");
        QTRY_COMPARE_WITH_TIMEOUT(m_delivered.size(), 3, 5000);
        QCOMPARE(m_delivered.at(0).value("n").toInt(), 1);
        QCOMPARE(m_delivered.at(1).value("n").toInt(), 2);
        QCOMPARE(m_delivered.at(2).value("n").toInt(), 3);
        const QString log = readLog();
        QVERIFY(log.contains("At least 1 item in json array is't object"));
        QVERIFY(log.contains("Incoming message is't array."));
        QVERIFY(log.contains("Failed to parse incoming message to json. Message: '[not json'"));
    }

    void oversizedFrameIsDroppedUpToItsTerminator()
    {
        // A well-formed array behind padding: only its size makes it unacceptable.
        QByteArray oversized(ClientNetworkSimple::kMaxBufferedBytes + 1024 * 1024, ' ');
        m_peer.write(oversized + "[{\"n\":666}]#ENDMSG[{\"n\":7}]#ENDMSG");
        QTRY_VERIFY_WITH_TIMEOUT(numbers().contains(7), 20000);
        QCOMPARE(numbers(), QList<int>{7});
        QVERIFY(readLog().contains("Oversized incoming frame"));
    }

    void logLinesHideSecretsAndStayShort()
    {
        P2pClientController::Auth auth;
        m_link->setPwd("pwd-SECRET-1");
        auth.trAuth();
        QTRY_VERIFY_WITH_TIMEOUT(m_peer.received().contains("pwd-SECRET-1"), 5000);
        m_peer.write("[{\"n\":1,\"secretKey\":\"key-SECRET-2\",\"pad\":\"" + QByteArray(100000, 'p') + "\"}]#ENDMSG");
        m_peer.write("[{\"n\":2,\"FN\":\"singleTcpRelay_srSendRequest\",\"message\":\"{\\\"password\\\":\\\"pass-SECRET-3\\\"}\"}]#ENDMSG");
        m_peer.write("not json\nFORGED line#ENDMSG");
        QTRY_VERIFY_WITH_TIMEOUT(numbers() == (QList<int>{1, 2}) && readLog().contains("Failed to parse"), 5000);

        const QString log = readLog();
        QVERIFY(!log.contains("SECRET"));
        QVERIFY(log.contains("bytes in all"));
        for (const QString &line : log.split('\n')) {
            QVERIFY2(line.size() < 3 * NtCommon::LogText::kMaxLoggedBytes, qPrintable(line.left(200)));
            QVERIFY2(!line.startsWith("FORGED"), qPrintable(line));
        }
    }

    void signupAnswerCountsOnlyWhenAskedFor()
    {
        P2pClientController::Auth starter;
        P2pClientController::Auth window;
        QSignalSpy stored(&window, &P2pClientController::Auth::saSignup);
        QSignalSpy starterSaw(&starter, &P2pClientController::Auth::saSignup);
        QSignalSpy failed(&window, &P2pClientController::Auth::saFailed);
        const auto barrier = [&] {
            const int seen = failed.count();
            m_peer.write("[{\"FN\":\"auth_saFailed\"}]#ENDMSG");
            return QTest::qWaitFor([&] { return failed.count() > seen; }, 5000);
        };

        m_peer.write("[{\"FN\":\"auth_saSignup\",\"sign\":\"intruder\",\"secretKey\":\"k1\"}]#ENDMSG");
        QVERIFY(barrier());
        QCOMPARE(stored.count(), 0);

        starter.trSignup();
        QTRY_VERIFY_WITH_TIMEOUT(m_peer.received().contains("auth_trSignup"), 5000);
        m_peer.write("[{\"FN\":\"auth_saSignup\",\"sign\":\"issued\",\"secretKey\":\"k2\"}]#ENDMSG");
        QTRY_COMPARE_WITH_TIMEOUT(stored.count(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(starterSaw.count(), 1, 5000);
        QCOMPARE(stored.first().at(0).toJsonObject().value("sign").toString(), QStringLiteral("issued"));

        m_peer.write("[{\"FN\":\"auth_saSignup\",\"sign\":\"intruder\",\"secretKey\":\"k3\"}]#ENDMSG");
        QVERIFY(barrier());
        QCOMPARE(stored.count(), 1);
    }

    void compressedFramesTravelBothWays()
    {
        m_link->setUseCompression(true);
        const QByteArray body = "[{\"FN\":\"x_y\",\"text\":\"compressed\"}]";
        m_peer.write(qCompress(body, 9) + "#ENDMSG");
        QTRY_COMPARE_WITH_TIMEOUT(m_delivered.size(), 1, 5000);
        QCOMPARE(m_delivered.first().value("text").toString(), QStringLiteral("compressed"));

        const int before = m_peer.receivedFrames().size();
        emit m_link->sendMessageSignal(std::make_shared<DTO>(DTO{{"FN", "x_trY"}}), false);
        QTRY_COMPARE_WITH_TIMEOUT(m_peer.receivedFrames().size(), before + 1, 5000);
        const QByteArray sent = qUncompress(m_peer.receivedFrames().last());
        QCOMPARE(frameObjects(sent).first().value("FN").toString(), QStringLiteral("x_trY"));
    }

    void outgoingFramesCarryTheSignAndTheirLayout()
    {
        m_link->setSign("sign-1");
        const int before = m_peer.receivedFrames().size();
        emit m_link->sendMessageSignal(std::make_shared<DTO>(DTO{{"FN", "a_trB"}, {"SIGN", "forged"}}), false);
        emit m_link->sendListMessagesSignal({}, false);
        emit m_link->sendListMessagesSignal({std::make_shared<DTO>(DTO{{"k", 1}}), std::make_shared<DTO>(DTO{{"k", 2}})}, false);
        QTRY_COMPARE_WITH_TIMEOUT(m_peer.receivedFrames().size(), before + 2, 5000);
        const QList<QByteArray> frames = m_peer.receivedFrames().mid(before);
        QCOMPARE(frames.at(0), QByteArray("[{\"FN\":\"a_trB\",\"SIGN\":\"sign-1\"}]"));
        QCOMPARE(frames.at(1), QByteArray("[{\"SIGN\":\"sign-1\",\"k\":1}, {\"SIGN\":\"sign-1\",\"k\":2}]"));
    }

    void bufferedCommandsLeaveAsOneFrameOnRequest()
    {
        P2pClientController::SingleTcpRelayBaseController relay;
        const int before = m_peer.receivedFrames().size();
        relay.onBufferCmd();
        for (int i = 0; i < 3; ++i)
            relay.sendCommand("x_trY", {{"i", i}});
        QVERIFY(!QTest::qWaitFor([&] { return m_peer.receivedFrames().size() > before; }, 300));
        relay.sendBufferCmd();
        relay.sendBufferCmd();
        relay.offBufferCmd();
        QTRY_COMPARE_WITH_TIMEOUT(m_peer.receivedFrames().size(), before + 2, 5000);
        for (const QByteArray &frame : m_peer.receivedFrames().mid(before)) {
            const QList<QJsonObject> objects = frameObjects(frame);
            QCOMPARE(objects.size(), 3);
            QCOMPARE(objects.at(2).value("i").toInt(), 2);
        }
    }

    void lossReconnectsAndCloseStops()
    {
        QSignalSpy connected(&m_peer, &FakeP2pPeer::connected);
        m_peer.dropConnection();
        QTRY_VERIFY_WITH_TIMEOUT(m_states.contains(false), 5000);
        QVERIFY(connected.count() || connected.wait(5000));
        QCOMPARE(m_states.count(false), 1);

        emit m_link->closeConnection();
        QTRY_COMPARE_WITH_TIMEOUT(m_states.count(false), 2, 5000);
        QVERIFY(!connected.wait(6500));
        QCOMPARE(connected.count(), 1);
    }

    // Last: its link thread is stopped at the end.
    void reconnectsInTimeToAHostThatDropsPackets()
    {
        const QString reason = NetnsLab::unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(QStringLiteral("cannot make a host that drops packets: %1").arg(reason)));
        NetnsLab lab;
        const QString subnet = QStringLiteral("10.199.%1").arg(QCoreApplication::applicationPid() % 250);
        const QString hostSide = QStringLiteral("lyndrop%1").arg(QCoreApplication::applicationPid() % 100000);
        const QByteArray rules = "table inet filter {\n"
                                 "  chain input {\n"
                                 "    type filter hook input priority 0;\n"
                                 "    iifname \"eth0\" drop\n"
                                 "  }\n"
                                 "}\n";
        QVERIFY2(lab.addNamespace("drop")
                     && lab.run({"ip", "link", "add", hostSide, "type", "veth", "peer", "name", "eth0", "netns", lab.name("drop")})
                     && lab.run({"ip", "addr", "add", subnet + ".1/30", "dev", hostSide})
                     && lab.run({"ip", "link", "set", hostSide, "up"})
                     && lab.runIn("drop", {"ip", "addr", "add", subnet + ".2/30", "dev", "eth0"})
                     && lab.runIn("drop", {"ip", "link", "set", "eth0", "up"})
                     && lab.runInWithInput("drop", {"nft", "-f", "-"}, rules),
                 qPrintable(lab.lastError()));

        DebugCapture debug;
        const QString attempt = QStringLiteral("Try to connect to '%1.2:9'").arg(subnet);
        const auto attempts = [&] {
            int n = 0;
            for (const QString &line : debug.lines())
                n += line.contains(attempt) ? 1 : 0;
            return n;
        };
        QList<qint64> closedAt;
        QElapsedTimer clock;
        auto link = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        link->setParam("host", subnet + ".2");
        link->setParam("port", 9);
        connect(link.data(), &ClientNetworkSimple::connectionState, this, [&](bool state) {
            if (!state)
                closedAt << clock.elapsed();
        });
        QObject relay;
        bool inited = false;
        connect(link.data(), &ClientNetworkSimple::inited, &relay, [&inited] { inited = true; });
        link->start();
        QTRY_VERIFY_WITH_TIMEOUT(inited, 5000);

        // Attempts follow the 5 s period although none of them gets an answer.
        emit link->makeConnection();
        QTRY_VERIFY_WITH_TIMEOUT(attempts() >= 3, 13000);

        // Closing a connection still being attempted takes effect at once.
        clock.start();
        emit link->closeConnection();
        QTRY_VERIFY_WITH_TIMEOUT(!closedAt.isEmpty(), 1000);
        QVERIFY(closedAt.first() < 1000);

        // So does shutting the link down in the middle of an attempt.
        const int before = attempts();
        emit link->makeConnection();
        QTRY_VERIFY_WITH_TIMEOUT(attempts() > before, 5000);
        link->quit();
        QVERIFY(link->wait(QDeadlineTimer(1000)));
    }

private:
    QList<int> numbers() const
    {
        QList<int> values;
        for (const QJsonObject &m : m_delivered)
            values << m.value("n").toInt();
        return values;
    }

    QString readLog() const { return readMainLog(m_logDir.path()); }

    QTemporaryDir m_logDir;
    FakeP2pPeer m_peer;
    QSharedPointer<P2pMeetingClientNetworkSimpleFinal> m_link;
    QList<QJsonObject> m_delivered;
    QList<bool> m_states;
};

QTEST_GUILESS_MAIN(TstP2pLink)
#include "tst_p2p_link.moc"
