import QtQuick 2.15
import "../text"
import "../../misc"

// Frame around a table with its caption and the number of rows shown.
Rectangle {
    id: container

    property string title: ""
    property int rowCount: 0
    default property alias content: body.data

    color: LynAppStyle.panelColor
    border.color: LynAppStyle.borderColor
    radius: LynAppStyle.radius

    Item {
        id: caption
        anchors.left: parent.left
        anchors.right: parent.right
        height: container.title === "" ? 0 : LynAppStyle.controlHeight
        visible: container.title !== ""

        LynLabel {
            anchors.left: parent.left
            anchors.leftMargin: LynAppStyle.spacing
            anchors.verticalCenter: parent.verticalCenter
            text: container.title
            font.weight: Font.Medium
        }
        LynLabel {
            objectName: container.objectName + "RowCount"
            anchors.right: parent.right
            anchors.rightMargin: LynAppStyle.spacing
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Records: %1").arg(container.rowCount)
            color: LynAppStyle.textSecondaryColor
            font.pointSize: LynAppStyle.smallFontSize
        }
    }

    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: caption.height + LynAppStyle.borderWidth
        anchors.margins: LynAppStyle.borderWidth
    }
}
