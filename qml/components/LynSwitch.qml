import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

Switch {
    id: control

    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    spacing: LynAppStyle.spacing

    indicator: Rectangle {
        implicitWidth: 36
        implicitHeight: 18
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: height / 2
        color: control.checked ? LynAppStyle.accentColor : LynAppStyle.pressedColor
        opacity: control.enabled ? 1 : 0.5

        Rectangle {
            x: control.checked ? parent.width - width - 2 : 2
            y: 2
            width: parent.height - 4
            height: width
            radius: width / 2
            color: LynAppStyle.textColor
            Behavior on x { NumberAnimation { duration: LynAppStyle.animationDuration } }
        }
    }

    contentItem: Text {
        leftPadding: control.indicator.width + control.spacing
        text: control.text
        font: control.font
        color: control.enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
        verticalAlignment: Text.AlignVCenter
    }
}
