import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

GroupBox {
    id: control

    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    padding: LynAppStyle.margin
    topPadding: LynAppStyle.margin + label.implicitHeight

    label: Text {
        x: control.leftPadding
        width: control.availableWidth
        text: control.title
        font.family: control.font.family
        font.pointSize: control.font.pointSize
        font.weight: Font.Medium
        color: LynAppStyle.textColor
        elide: Text.ElideRight
    }

    background: Rectangle {
        y: control.topPadding - control.bottomPadding
        width: parent.width
        height: parent.height - control.topPadding + control.bottomPadding
        color: LynAppStyle.transparent
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }
}
