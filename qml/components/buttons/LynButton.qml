import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

Button {
    id: control

    // The button that finishes a form or dialog is drawn in the accent colour.
    property bool accent: false

    implicitHeight: LynAppStyle.controlHeight
    implicitWidth: Math.max(88, implicitContentWidth + leftPadding + rightPadding)
    leftPadding: LynAppStyle.margin
    rightPadding: LynAppStyle.margin
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    icon.width: LynAppStyle.smallIconSize
    icon.height: LynAppStyle.smallIconSize
    icon.color: contentColor
    hoverEnabled: true

    readonly property color contentColor: !enabled ? LynAppStyle.textDisabledColor
                                                   : accent ? LynAppStyle.textOnAccentColor : LynAppStyle.textColor

    contentItem: Item {
        implicitWidth: content.implicitWidth
        implicitHeight: content.implicitHeight

        Row {
            id: content
            anchors.centerIn: parent
            spacing: LynAppStyle.smallSpacing
            Image {
                anchors.verticalCenter: parent.verticalCenter
                visible: control.icon.source.toString() !== ""
                source: control.icon.source
                width: control.icon.width
                height: control.icon.height
                sourceSize: Qt.size(width * 2, height * 2)
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: control.text
                font: control.font
                color: control.contentColor
            }
        }
    }

    background: Rectangle {
        radius: LynAppStyle.radius
        border.width: control.accent ? 0 : LynAppStyle.borderWidth
        border.color: control.activeFocus ? LynAppStyle.accentColor : LynAppStyle.borderColor
        color: {
            if (control.accent)
                return control.down ? LynAppStyle.accentPressedColor
                                    : control.hovered ? LynAppStyle.accentHoverColor : LynAppStyle.accentColor
            return control.down ? LynAppStyle.pressedColor
                                : control.hovered ? LynAppStyle.hoverColor : LynAppStyle.panelAltColor
        }
        opacity: control.enabled ? 1 : 0.5
    }
}
