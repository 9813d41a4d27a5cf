// Dispatch by "FN" and the controllers' reactions, fed directly on the test thread.
#include "DebugCapture.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/auth/Auth.h"
#include "client_base/controller/relay/SingleTcpRelayBaseController.h"

#include <QSignalSpy>
#include <QtTest>

using namespace P2pClientController;

class TstP2pDispatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DTO::registerMetaTypes();
        m_link = QSharedPointer<P2pClientBase::ClientNetworkSimple>(new P2pLinkWithoutThread);
        m_dispatcher = QSharedPointer<HandleReceivedMessagesP2pClient>::create();
        m_link->setMessageHandler(m_dispatcher);
        ControllerBase::setLink(m_link);
    }

    void commandNamesNeedExactlyOneSeparator_data()
    {
        QTest::addColumn<QString>("fn");
        QTest::addColumn<bool>("routed");
        QTest::newRow("auth_saFailed") << "auth_saFailed" << true;
        QTest::newRow("empty parts dropped") << "_auth__saFailed_" << true;
        QTest::newRow("three parts") << "auth_sa_Failed" << false;
        QTest::newRow("no separator") << "auth" << false;
        QTest::newRow("missing") << "" << false;
    }

    void commandNamesNeedExactlyOneSeparator()
    {
        QFETCH(QString, fn);
        QFETCH(bool, routed);
        QSignalSpy auth(m_dispatcher.data(), &HandleReceivedMessagesP2pClient::authMessage);
        DebugCapture debug;
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", fn}, {"n", 1}}));
        QCOMPARE(auth.count(), routed ? 1 : 0);
        QCOMPARE(debug.contains(QStringLiteral("HandleReceivedMessages::onMessageReceived error command format command='%1'").arg(fn)), !routed);
    }

    void receiversAreRoutedByNameAndOthersDropped()
    {
        QSignalSpy relay(m_dispatcher.data(), &HandleReceivedMessagesP2pClient::singleTcpRelayMessage);
        QSignalSpy peers(m_dispatcher.data(), &HandleReceivedMessagesP2pClient::peersManagerMessage);
        QSignalSpy session(m_dispatcher.data(), &HandleReceivedMessagesP2pClient::userSessionMessage);
        for (const char *fn : {"singleTcpRelay_srSendRequest", "peersManager_srOpenPortOnRemote", "userSession_saX", "Auth_saAuth"})
            m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", fn}}));
        QCOMPARE(relay.count(), 1);
        QCOMPARE(relay.first().at(0).toString(), QStringLiteral("srSendRequest"));
        QCOMPARE(peers.count(), 1);
        QCOMPARE(session.count(), 0);
    }

    void loginAnswersReachEveryAuthAndNeedRes10()
    {
        Auth first;
        Auth second;
        QSignalSpy ok1(&first, &Auth::saAuth);
        QSignalSpy ok2(&second, &Auth::saAuth);
        QSignalSpy failed(&first, &Auth::saFailed);
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "auth_saAuth"}, {"RES", 11}}));
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "auth_saAuth"}, {"RES", "10"}}));
        QCOMPARE(ok1.count(), 0);
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "auth_saAuth"}, {"RES", 10}}));
        QCOMPARE(ok1.count(), 1);
        QCOMPARE(ok2.count(), 1);
        const DTO refused{{"FN", "auth_saFailed"}, {"RES", 0}, {"errorMessage", "no"}};
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(refused));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().at(0).toJsonObject(), QJsonObject(refused));
    }

    void relayAnswersAreSplitByKind()
    {
        SingleTcpRelayBaseController relay;
        QSignalSpy requests(&relay, &SingleTcpRelayBaseController::srSendRequest);
        QSignalSpy answers(&relay, &SingleTcpRelayBaseController::saSendRequest);
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "singleTcpRelay_srSendRequest"}, {"message", "m"}}));
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "singleTcpRelay_saSendRequest"}, {"RES", 0}}));
        m_dispatcher->onMessageReceived(std::make_shared<DTO>(DTO{{"FN", "singleTcpRelay_srOther"}}));
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().at(0).toJsonObject().value("message").toString(), QStringLiteral("m"));
        QCOMPARE(answers.count(), 1);
    }

private:
    // A link object that is never started: enough to own the dispatcher.
    class P2pLinkWithoutThread : public P2pClientBase::ClientNetworkSimple
    {
    };

    QSharedPointer<P2pClientBase::ClientNetworkSimple> m_link;
    QSharedPointer<HandleReceivedMessagesP2pClient> m_dispatcher;
};

QTEST_GUILESS_MAIN(TstP2pDispatch)
#include "tst_p2p_dispatch.moc"
