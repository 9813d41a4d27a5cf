import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

ApplicationWindow {
    id: mainWindow

    property bool connected: false

    visible: true
    width: 1280
    height: 800
    title: qsTr("Video surveillance")

    function startConnection() {
        NET.setParam("host", SETTINGS.value("Server", "ip", "::1"))
        NET.setParam("port", SETTINGS.value("Server", "port", "27014"))
        NET.makeConnection()
    }

    Connections {
        target: NET
        function onInited() { mainWindow.startConnection() }
        function onConnectionState(isConnected) { mainWindow.connected = isConnected }
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
