import QtQuick 2.15
import QtQuick.Window 2.15
import "../misc"

// A frameless top-level window with the project's title bar; children fill the area below it.
Window {
    id: frameWindow

    default property alias content: body.data
    property alias titleBar: titleBar

    flags: Qt.Window | Qt.FramelessWindowHint
    color: LynAppStyle.windowColor
    minimumWidth: 320
    minimumHeight: 200

    Rectangle {
        anchors.fill: parent
        color: LynAppStyle.transparent
        border.color: LynAppStyle.borderColor
        border.width: LynAppStyle.borderWidth

        LynTitleBar {
            id: titleBar
            objectName: frameWindow.objectName + "TitleBar"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: LynAppStyle.borderWidth
            window: frameWindow
            title: frameWindow.title
            onCloseRequested: frameWindow.close()
        }
        Item {
            id: body
            anchors.fill: parent
            anchors.topMargin: titleBar.height + LynAppStyle.borderWidth
            anchors.margins: LynAppStyle.borderWidth
        }
    }

    ResizeFrame {
        window: frameWindow
        locked: titleBar.maximized
    }
}
