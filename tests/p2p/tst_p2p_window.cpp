// The shipped window holds the one peers manager controller that answers the
// P2P server's open-port requests.
#include "LynQmlResources.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/peers/PeersManagerController.h"
#include "shell/P2pQmlTypes.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QtTest>

class TstP2pWindow : public QObject
{
    Q_OBJECT
private slots:
    void windowHoldsOnePeersManagerController()
    {
        // Drawn by the software renderer: what is under test is the window's objects, not its pixels.
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
        DTO::registerMetaTypes();
        auto link = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        link->setMessageHandler(QSharedPointer<HandleReceivedMessagesP2pClient>::create());
        P2pClientController::ControllerBase::setLink(link);
        LynClient::P2pQmlTypes::registerTypes();
        initLynQmlResources();

        QQmlApplicationEngine engine;
        engine.load(QUrl(QStringLiteral("qrc:/qml/main/Main.qml")));
        QCOMPARE(engine.rootObjects().size(), 1);
        QObject *window = engine.rootObjects().first();
        QTRY_COMPARE_WITH_TIMEOUT(window->findChildren<P2pClientController::PeersManagerController *>().size(), 1, 5000);
    }
};

QTEST_MAIN(TstP2pWindow)
#include "tst_p2p_window.moc"
