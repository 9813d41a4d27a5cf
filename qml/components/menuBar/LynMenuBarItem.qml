import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// A menu's entry in the bar; named after its menu so that it can be found.
MenuBarItem {
    id: control

    objectName: menu ? menu.objectName + "BarItem" : ""
    implicitHeight: LynAppStyle.titleBarHeight
    leftPadding: LynAppStyle.margin
    rightPadding: LynAppStyle.margin
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize

    contentItem: Text {
        text: control.text
        font: control.font
        color: LynAppStyle.textColor
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        color: control.highlighted || control.down ? LynAppStyle.hoverColor : LynAppStyle.transparent
    }
}
