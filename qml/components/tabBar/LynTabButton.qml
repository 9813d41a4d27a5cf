import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// Tab with an icon beside its text and a line under the current one.
TabButton {
    id: control

    implicitHeight: LynAppStyle.tabBarHeight
    implicitWidth: Math.max(140, implicitContentWidth + leftPadding + rightPadding)
    // Tabs keep their own width and line up on the left.
    width: implicitWidth
    leftPadding: LynAppStyle.margin
    rightPadding: LynAppStyle.margin
    hoverEnabled: true
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    font.weight: checked ? Font.Medium : Font.Normal
    icon.width: LynAppStyle.iconSize
    icon.height: LynAppStyle.iconSize
    icon.color: checked ? LynAppStyle.accentColor : LynAppStyle.textSecondaryColor
    display: AbstractButton.TextBesideIcon

    palette.buttonText: checked ? LynAppStyle.textColor : LynAppStyle.textSecondaryColor
    palette.brightText: LynAppStyle.textColor
    palette.windowText: checked ? LynAppStyle.textColor : LynAppStyle.textSecondaryColor

    background: Rectangle {
        color: control.checked ? LynAppStyle.windowColor
                               : control.hovered ? LynAppStyle.hoverColor : LynAppStyle.transparent
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 2
            visible: control.checked
            color: LynAppStyle.accentColor
        }
    }
}
