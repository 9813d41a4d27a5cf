import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import "../components"
import "../misc"

// The frameless main window: title bar with menu, tabs, pages and footer.
ApplicationWindow {
    id: window

    property bool connected: false
    property alias tabBar: tabBar
    property alias menuBarItem: header.menuBar
    property alias pages: pages
    property QtObject globalObjects

    // The title bar's close button; the owner decides how to end.
    signal closeRequested()

    flags: Qt.Window | Qt.FramelessWindowHint
    minimumWidth: LynAppStyle.minimumWindowWidth
    minimumHeight: LynAppStyle.minimumWindowHeight
    color: LynAppStyle.windowColor
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize

    palette.window: LynAppStyle.windowColor
    palette.windowText: LynAppStyle.textColor
    palette.base: LynAppStyle.windowColor
    palette.alternateBase: LynAppStyle.panelAltColor
    palette.text: LynAppStyle.textColor
    palette.button: LynAppStyle.panelAltColor
    palette.buttonText: LynAppStyle.textColor
    palette.brightText: LynAppStyle.textColor
    palette.highlight: LynAppStyle.accentColor
    palette.highlightedText: LynAppStyle.textOnAccentColor
    palette.toolTipBase: LynAppStyle.popupColor
    palette.toolTipText: LynAppStyle.textColor
    palette.mid: LynAppStyle.borderColor
    palette.dark: LynAppStyle.pressedColor
    palette.light: LynAppStyle.hoverColor

    header: Column {
        LynHeader {
            id: header
            width: window.width
            window: window
            title: window.title
            onCloseRequested: window.closeRequested()
        }
        MainTabBar {
            id: tabBar
            width: window.width
        }
    }

    LynStackLayoutMain {
        id: pages
        globalObjects: window.globalObjects
        anchors.fill: parent
        currentIndex: tabBar.currentIndex
    }

    footer: LynFooter {
        objectName: "footer"
        connected: window.connected
    }

    ResizeFrame {
        parent: Overlay.overlay
        window: window
        locked: header.maximized
    }
}
