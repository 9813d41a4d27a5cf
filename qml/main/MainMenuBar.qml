import QtQuick 2.15
import "../components/menuBar"
import "../misc"

LynMenuBar {
    id: bar

    signal tabRequested(int tab)
    // "events" or "tileGrid": a part of the desktop to bring forward.
    signal desktopPartRequested(string part)
    signal exitRequested()
    signal onlineAccessRequested()
    signal aboutRequested()

    LynMenu {
        objectName: "mainMenu"
        title: qsTr("Menu")

        LynMenuItem {
            objectName: "menuItemDesktop"
            text: qsTr("Desktop")
            icon.source: "qrc:/img/menuBar/desktop.png"
            onTriggered: bar.tabRequested(Enums.MainTab.DESKTOP)
        }
        LynMenuItem {
            objectName: "menuItemEvents"
            text: qsTr("Events")
            icon.source: "qrc:/img/menuBar/events.png"
            onTriggered: {
                bar.tabRequested(Enums.MainTab.DESKTOP)
                bar.desktopPartRequested("events")
            }
        }
        LynMenuItem {
            objectName: "menuItemTileGrid"
            text: qsTr("Tile grid")
            icon.source: "qrc:/img/menuBar/tiles.png"
            onTriggered: {
                bar.tabRequested(Enums.MainTab.DESKTOP)
                bar.desktopPartRequested("tileGrid")
            }
        }
        LynMenuSeparator {}
        LynMenuItem {
            objectName: "menuItemDevices"
            text: qsTr("Devices")
            icon.source: "qrc:/img/tabBar/device.png"
            onTriggered: bar.tabRequested(Enums.MainTab.DEVICES)
        }
        LynMenuItem {
            objectName: "menuItemArchive"
            text: qsTr("Archive")
            icon.source: "qrc:/img/tabBar/archive.png"
            onTriggered: bar.tabRequested(Enums.MainTab.ARCHIVE)
        }
        LynMenuItem {
            objectName: "menuItemSettings"
            text: qsTr("Settings")
            icon.source: "qrc:/img/tabBar/settings.png"
            onTriggered: bar.tabRequested(Enums.MainTab.SETTINGS)
        }
        LynMenuItem {
            objectName: "menuItemOnlineAccess"
            text: qsTr("Online access")
            icon.source: "qrc:/img/social/stream.png"
            onTriggered: bar.onlineAccessRequested()
        }
        LynMenuSeparator {}
        LynMenuItem {
            objectName: "menuItemExit"
            text: qsTr("Exit")
            icon.source: "qrc:/img/buttons/exit.png"
            onTriggered: bar.exitRequested()
        }
    }
    LynMenu {
        objectName: "helpMenu"
        title: qsTr("Help")

        LynMenuItem {
            objectName: "menuItemAbout"
            text: qsTr("About")
            icon.source: "qrc:/img/menuBar/about.png"
            onTriggered: bar.aboutRequested()
        }
    }
}
