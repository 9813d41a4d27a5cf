import QtQuick 2.15
import "../components/tabBar"

LynTabBar {
    objectName: "mainTabBar"

    LynTabButton {
        objectName: "desktopTabButton"
        text: qsTr("Desktop")
        icon.source: "qrc:/img/tabBar/desktop.png"
    }
    LynTabButton {
        objectName: "devicesTabButton"
        text: qsTr("Devices")
        icon.source: "qrc:/img/tabBar/device.png"
    }
    LynTabButton {
        objectName: "archiveTabButton"
        text: qsTr("Archive")
        icon.source: "qrc:/img/tabBar/archive.png"
    }
    LynTabButton {
        objectName: "settingsTabButton"
        text: qsTr("Settings")
        icon.source: "qrc:/img/tabBar/settings.png"
    }
}
