import QtQuick 2.15
import "../components"

// Title bar of the main window with the menu bar in it.
LynTitleBar {
    id: header

    property alias menuBar: menuBar

    objectName: "titleBar"

    MainMenuBar {
        id: menuBar
        objectName: "mainMenuBar"
        height: header.height
    }
}
