import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../misc"

// A row of tool buttons; children go into the row.
ToolBar {
    id: bar

    default property alias content: row.data

    implicitHeight: LynAppStyle.toolBarHeight
    leftPadding: LynAppStyle.smallSpacing
    rightPadding: LynAppStyle.smallSpacing

    background: Rectangle {
        color: LynAppStyle.panelColor
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: LynAppStyle.separatorColor
        }
    }

    RowLayout {
        id: row
        anchors.fill: parent
        spacing: LynAppStyle.smallSpacing
    }
}
