import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

MenuItem {
    id: control

    implicitHeight: LynAppStyle.controlHeight
    implicitWidth: 200
    leftPadding: LynAppStyle.spacing
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    icon.width: LynAppStyle.smallIconSize
    icon.height: LynAppStyle.smallIconSize
    icon.color: enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor

    palette.windowText: enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
    palette.highlightedText: LynAppStyle.textColor
    palette.brightText: LynAppStyle.textColor

    background: Rectangle {
        radius: LynAppStyle.radius
        color: control.highlighted ? LynAppStyle.hoverColor : LynAppStyle.transparent
    }
}
