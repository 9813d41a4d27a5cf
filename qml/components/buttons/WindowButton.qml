import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// One button of the title bar's minimise/maximise/close group.
AbstractButton {
    id: control

    property color hoverColor: LynAppStyle.hoverColor

    implicitWidth: LynAppStyle.windowButtonWidth
    implicitHeight: LynAppStyle.titleBarHeight
    hoverEnabled: true
    focusPolicy: Qt.NoFocus

    background: Rectangle {
        color: control.down ? Qt.darker(control.hoverColor, 1.2)
                            : control.hovered ? control.hoverColor : LynAppStyle.transparent
    }
    contentItem: Item {
        Image {
            anchors.centerIn: parent
            width: LynAppStyle.smallIconSize
            height: width
            source: control.icon.source
            sourceSize: Qt.size(width * 2, height * 2)
        }
    }
}
