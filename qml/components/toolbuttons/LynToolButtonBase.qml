import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// Flat icon button with a tool tip; the base of every tool button.
ToolButton {
    id: control

    property string toolTipText: ""

    implicitWidth: display === AbstractButton.IconOnly ? LynAppStyle.toolBarHeight - 6 : implicitContentWidth + leftPadding + rightPadding
    implicitHeight: LynAppStyle.toolBarHeight - 6
    padding: LynAppStyle.smallSpacing
    display: AbstractButton.IconOnly
    hoverEnabled: true
    focusPolicy: Qt.TabFocus
    icon.width: LynAppStyle.iconSize
    icon.height: LynAppStyle.iconSize
    icon.color: enabled ? (checked ? LynAppStyle.accentColor : LynAppStyle.textColor) : LynAppStyle.textDisabledColor
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize

    ToolTip.visible: hovered && toolTipText !== ""
    ToolTip.delay: LynAppStyle.toolTipDelay
    ToolTip.text: toolTipText

    background: Rectangle {
        radius: LynAppStyle.radius
        color: control.down ? LynAppStyle.pressedColor
                            : control.checked ? LynAppStyle.selectionColor
                                              : control.hovered ? LynAppStyle.hoverColor : LynAppStyle.transparent
    }
}
