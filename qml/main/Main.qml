import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import P2P 1.0

ApplicationWindow {
    id: mainWindow

    property bool connected: false
    property bool p2pMode: false

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

    Loader { id: globalObjects; source: "../globalObjects/GlobalObjects.qml" }
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

    header: TabBar {
        id: tabBar
        TabButton { text: qsTr("Desktop") }
        TabButton { text: qsTr("Devices") }
        TabButton { text: qsTr("Archive") }
        TabButton { text: qsTr("Settings") }
    }

    StackLayout {
        anchors.fill: parent
        currentIndex: tabBar.currentIndex
        Item { objectName: "desktopPage" }
        Item { objectName: "devicesPage" }
        Item { objectName: "archivePage" }
        Item { objectName: "settingsPage" }
    }

    footer: ToolBar {
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 12
            Label { text: qsTr("Connection state is") }
            Label {
                objectName: "connectionStateLabel"
                text: mainWindow.connected ? qsTr("Connected") : qsTr("Disconnected")
                color: mainWindow.connected ? "#2e7d32" : "#c62828"
                font.bold: true
            }
            Item { Layout.fillWidth: true }
        }
    }
}
