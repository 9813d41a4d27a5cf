#include "QmlVlc.h"
#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/base/ControllerBase.h"
#include "controllers/LynTypes.h"
#include "nt_common/core/dto/DTO.h"
#include "shell/P2pQmlTypes.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

namespace {

const QByteArray kImports = "import QtQuick 2.15\nimport LYN 1.0\nimport QmlVlc 0.1\nimport P2P 1.0\n";

struct Creatable
{
    const char *name;
    const char *className;
};

} // namespace

// The three registration groups as start-up runs them, seen from QML.
class TstQmlRegistry : public QObject
{
    Q_OBJECT

    QSharedPointer<LynClientBase::LynClientNetwork> m_link;
    QSharedPointer<P2pMeetingClientNetworkSimpleFinal> m_p2pLink;

private slots:
    void initTestCase()
    {
        NtCommon::DTO::registerMetaTypes();
        QmlVlc::registerTypes();
        // The links exist (not connected) before the controllers are registered, as at start-up.
        m_link = QSharedPointer<LynClientBase::LynClientNetwork>::create();
        m_link->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
        LynClientBase::LynClientNetwork::setControllersLink(m_link);
        m_p2pLink = QSharedPointer<P2pMeetingClientNetworkSimpleFinal>::create();
        m_p2pLink->setMessageHandler(QSharedPointer<HandleReceivedMessagesP2pClient>::create());
        P2pClientController::ControllerBase::setLink(m_p2pLink);
        LynClientController::registerLynTypes();
        QmlVlc::registerPlayerStateEnum();
        LynClient::P2pQmlTypes::registerTypes();
    }

    void cleanupTestCase()
    {
        LynClientBase::LynClientNetwork::setControllersLink({});
    }

    void everyCreatableNameIsMade_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("className");
        const Creatable creatable[] = {
            {"OriginalModel", "LynClientController::OriginalModel"},
            {"ProxyModel", "LynClientController::ProxyModel"},
            {"AppController", "LynClientController::AppController"},
            {"DeviceController", "LynClientController::DeviceController"},
            {"ArchiveController", "LynClientController::ArchiveController"},
            {"DeviceTypeController", "LynClientController::DeviceTypeController"},
            {"ArchivePlayerController", "LynClientController::ArchivePlayerController"},
            {"VideoLineListController", "LynClientController::VideoLineListController"},
            {"SearchDevicesController", "LynClientController::SearchDevicesController"},
            {"YoutubeSettingsController", "LynClientController::YoutubeSettingsController"},
            {"PrivateYoutubeTypeController", "LynClientController::PrivateYoutubeTypeController"},
            {"OnlineAccessSettingsController", "LynClientController::OnlineAccessSettingsController"},
            {"MainSiteApiController", "LynClientController::MainSiteApiController"},
            {"YoutubeApiController", "LynClientController::YoutubeApiController"},
            {"DevicePasswordController", "LynClientController::DevicePasswordController"},
            {"TelegramSettingsController", "LynClientController::TelegramSettingsController"},
            {"ModuleSystemController", "LynClientController::ModuleSystemController"},
            {"VlcVideoSurface", "QmlVlcVideoSurface"},
            {"VlcPlayer", "QmlVlcPlayer"},
            {"VlcMediaListPlayer", "QmlVlcMediaListPlayer"},
            {"Auth", "P2pClientController::Auth"},
            {"PeersManagerController", "P2pClientController::PeersManagerController"},
        };
        for (const Creatable &type : creatable)
            QTest::newRow(type.name) << QByteArray(type.name) << QByteArray(type.className);
    }

    void everyCreatableNameIsMade()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, className);
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(kImports + name + " {}", QUrl());
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(QByteArray(object->metaObject()->className()), className);
        QVERIFY(!object->parent());
    }
};

QTEST_MAIN(TstQmlRegistry)
#include "tst_qml_registry.moc"
