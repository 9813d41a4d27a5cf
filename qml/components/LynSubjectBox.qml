import QtQuick 2.15
import QtQuick.Layouts 1.15
import "text"
import "../misc"

// A section with a header strip, for the parts of an editor.
Rectangle {
    id: box

    property alias title: caption.text
    default property alias content: column.data

    implicitWidth: column.implicitWidth + 2 * LynAppStyle.margin
    implicitHeight: header.height + column.implicitHeight + 2 * LynAppStyle.margin
    color: LynAppStyle.panelColor
    border.color: LynAppStyle.borderColor
    radius: LynAppStyle.radius

    Rectangle {
        id: header
        width: parent.width
        height: LynAppStyle.controlHeight
        radius: LynAppStyle.radius
        color: LynAppStyle.panelAltColor
        LynLabel {
            id: caption
            anchors.fill: parent
            leftPadding: LynAppStyle.margin
            font.weight: Font.Medium
        }
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.topMargin: header.height + LynAppStyle.margin
        anchors.margins: LynAppStyle.margin
        spacing: LynAppStyle.spacing
    }
}
