import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

Slider {
    id: control

    hoverEnabled: true

    background: Rectangle {
        x: control.leftPadding
        y: control.topPadding + control.availableHeight / 2 - height / 2
        implicitWidth: 160
        implicitHeight: 4
        width: control.availableWidth
        height: implicitHeight
        radius: 2
        color: LynAppStyle.pressedColor

        Rectangle {
            width: control.visualPosition * parent.width
            height: parent.height
            radius: 2
            color: LynAppStyle.accentColor
        }
    }

    handle: Rectangle {
        x: control.leftPadding + control.visualPosition * (control.availableWidth - width)
        y: control.topPadding + control.availableHeight / 2 - height / 2
        implicitWidth: 14
        implicitHeight: 14
        radius: 7
        color: control.pressed ? LynAppStyle.accentPressedColor
                               : control.hovered ? LynAppStyle.accentHoverColor : LynAppStyle.textColor
    }
}
