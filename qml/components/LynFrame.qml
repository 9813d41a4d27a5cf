import QtQuick 2.15
import "text"
import "../misc"

// A bordered panel with an optional caption; children go below the caption.
Rectangle {
    id: frame

    property string title: ""
    default property alias content: body.data
    property alias body: body

    color: LynAppStyle.panelColor
    border.color: LynAppStyle.borderColor
    border.width: LynAppStyle.borderWidth
    radius: LynAppStyle.radius

    LynLabel {
        id: caption
        visible: frame.title !== ""
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: visible ? LynAppStyle.controlHeight : 0
        leftPadding: LynAppStyle.spacing
        text: frame.title
        font.weight: Font.Medium
        color: LynAppStyle.textColor
    }

    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: caption.height + LynAppStyle.borderWidth
        anchors.margins: LynAppStyle.borderWidth
    }
}
