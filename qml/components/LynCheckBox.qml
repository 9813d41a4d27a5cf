import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

CheckBox {
    id: control

    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    spacing: LynAppStyle.spacing
    hoverEnabled: true

    indicator: Rectangle {
        implicitWidth: 18
        implicitHeight: 18
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: LynAppStyle.radius
        color: control.checked ? LynAppStyle.accentColor : LynAppStyle.windowColor
        border.color: control.checked ? LynAppStyle.accentColor
                                      : control.hovered ? LynAppStyle.textSecondaryColor : LynAppStyle.borderColor
        opacity: control.enabled ? 1 : 0.5

        Image {
            anchors.centerIn: parent
            width: 14
            height: 14
            visible: control.checkState === Qt.Checked
            source: "qrc:/img/buttons/ok.png"
            sourceSize: Qt.size(28, 28)
        }
        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 2
            visible: control.checkState === Qt.PartiallyChecked
            color: LynAppStyle.textColor
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
