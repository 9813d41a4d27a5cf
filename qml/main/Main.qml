import QtQuick 2.15
import QtQuick.Controls 2.15
import P2P 1.0
import "actions"
import "../components"
import "../misc"
import "../settings/onlineAccess"

LynMainApplicationWindow {
    id: mainWindow

    property bool p2pMode: false

    globalObjects: globalObjectsLoader.item

    visible: true
    width: 1280
    height: 800
    title: qsTr("Video surveillance")

    function startP2pLink() {
        var sign = SETTINGS.value("P2pClient", "sign", "")
        mainWindow.p2pMode = true
        NET.setIsP2pMode(true)
        // A client without credentials asks the P2P server for them first.
        NETP2P.setDefaultActionAfterConnected(sign === "" ? "fireTrSignUp" : "fireTrAuth")
        NETP2P.setSign(sign)
        NETP2P.setPwd(SETTINGS.value("P2pClient", "secretKey", ""))
        NETP2P.makeConnection()
    }

    function startConnection() {
        if (SETTINGS.value("P2pServer", "enabled", "no") === "yes")
            startP2pLink()
        NET.setParam("host", SETTINGS.value("Server", "ip", "::1"))
        NET.setParam("port", SETTINGS.value("Server", "port", "27014"))
        NET.makeConnection()
    }

    // The link may have come up before this window existed; then its inited() is past.
    Component.onCompleted: {
        // The language chosen on the settings page last time.
        TR.setLocale(SETTINGS.value("other", "language", "en"))
        if (NET.isInited)
            startConnection()
    }

    onCloseRequested: actionClose.trigger()
    onClosing: actionClose.shutdown()

    Connections {
        target: NET
        function onInited() { mainWindow.startConnection() }
        function onConnectionState(isConnected) {
            if (!mainWindow.p2pMode)
                mainWindow.connected = isConnected
        }
    }

    // In P2P mode the server is reached through the P2P server, so that link's state is the one shown.
    Connections {
        target: NETP2P
        function onConnectionState(isConnected) {
            if (mainWindow.p2pMode)
                mainWindow.connected = isConnected
        }
    }

    Connections {
        target: mainWindow.menuBarItem
        function onTabRequested(tab) { mainWindow.tabBar.currentIndex = tab }
        function onExitRequested() { actionClose.trigger() }
        function onAboutRequested() { aboutDialog.open() }
        function onOnlineAccessRequested() {
            onlineAccessWindow.show()
            onlineAccessWindow.requestActivate()
        }
    }

    Loader { id: globalObjectsLoader; source: "../globalObjects/GlobalObjects.qml" }
    Auth {
        id: p2pAuth
        onSaSignup: function(mapParams) {
            SETTINGS.setValue("P2pClient", "sign", mapParams.sign)
            SETTINGS.setValue("P2pClient", "secretKey", mapParams.secretKey)
            NETP2P.setSign(mapParams.sign)
            NETP2P.setPwd(mapParams.secretKey)
            NETP2P.setDefaultActionAfterConnected("fireTrAuth")
            NETP2P.makeConnection()
        }
        onSaAuth: console.log("Logged in to the P2P server")
        onSaFailed: function(mapParams) { console.log("P2P server refused: " + mapParams.errorMessage) }
    }

    OnlineAccessEditor {
        id: onlineAccessWindow
        objectName: "onlineAccessWindow"
    }

    ActionClose {
        id: actionClose
        onTriggered: mainWindow.close()
    }

    LynDialog {
        id: aboutDialog
        objectName: "aboutDialog"
        type: Enums.DialogType.INFO
        title: qsTr("About")
        text: qsTr("Video surveillance desktop client.\nBuilt on %1 with Qt %2.")
              .arg(DESKTOP_UTILS.buildDate).arg(DESKTOP_UTILS.qtVersion)
    }
}
