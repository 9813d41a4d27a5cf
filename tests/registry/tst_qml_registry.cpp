#include "QmlVlc.h"
#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"
#include "client_base/base/HandleReceivedMessagesP2pClient.h"
#include "client_base/controller/base/ControllerBase.h"
#include "controllers/LynTypes.h"
#include "nt_common/core/dto/DTO.h"
#include "shell/P2pQmlTypes.h"
#include "threads/p2p/P2pMeetingClientNetworkSimpleFinal.h"

#include <QJsonDocument>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
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
    QList<QJsonObject> m_sent;
    QTemporaryDir m_workDir;
    QString m_startDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        m_startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_workDir.path()));
        NtCommon::DTO::registerMetaTypes();
        QmlVlc::registerTypes();
        // The links exist (not connected) before the controllers are registered, as at start-up.
        m_link = QSharedPointer<LynClientBase::LynClientNetwork>::create();
        m_link->setMessageHandler(QSharedPointer<LynClientBase::HandleRecievedMessages>::create());
        LynClientBase::LynClientNetwork::setControllersLink(m_link);
        connect(m_link.data(), &LynClientBase::LynClientNetwork::sendTextMessage, this,
                [this](const QString &text) { m_sent.append(QJsonDocument::fromJson(text.toUtf8()).object()); });
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
        QDir::setCurrent(m_startDir);
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

    void playerStatesAndControllersWorkTogether()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(kImports + "Item {\n"
                          "  property var states: [QmlVlcPlayerState.NothingSpecial, QmlVlcPlayerState.Opening,\n"
                          "    QmlVlcPlayerState.Buffering, QmlVlcPlayerState.Playing, QmlVlcPlayerState.Paused,\n"
                          "    QmlVlcPlayerState.Stopped, QmlVlcPlayerState.Ended, QmlVlcPlayerState.Error]\n"
                          "  DeviceTypeController { id: types }\n"
                          "  DeviceController { id: devices }\n"
                          "  ModuleSystemController { id: modules }\n"
                          "  property int typeCount: types.proxyModel.rowCount()\n"
                          "  property string firstType: types.originalModel.originalData(0, 'name')\n"
                          "  property string sdpPath: devices.createSDPFile({rowID: 5, sdp: 'v=0'})\n"
                          "  property string sent: modules.trModuleList({rstIDDevice: 1}).action\n"
                          "}", QUrl());
        std::unique_ptr<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QCOMPARE(root->property("states").toList(), (QVariantList{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(root->property("typeCount").toInt(), 3);
        QCOMPARE(root->property("firstType").toString(), QStringLiteral("Screen"));
        QCOMPARE(root->property("sdpPath").toString(), QDir(m_workDir.path()).absoluteFilePath("sdp/5.sdp"));
        QCOMPARE(root->property("sent").toString(), QStringLiteral("trModuleList"));
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().value("ctl").toString(), QStringLiteral("moduleSystem"));
    }
};

QTEST_MAIN(TstQmlRegistry)
#include "tst_qml_registry.moc"
