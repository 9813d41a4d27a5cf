import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

TextField {
    id: control

    implicitHeight: LynAppStyle.controlHeight
    color: enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
    placeholderTextColor: LynAppStyle.textDisabledColor
    selectionColor: LynAppStyle.selectionColor
    selectedTextColor: LynAppStyle.textColor
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    leftPadding: LynAppStyle.spacing
    rightPadding: LynAppStyle.spacing
    selectByMouse: true

    background: Rectangle {
        radius: LynAppStyle.radius
        color: LynAppStyle.windowColor
        border.width: LynAppStyle.borderWidth
        border.color: control.activeFocus ? LynAppStyle.accentColor : LynAppStyle.borderColor
    }
}
