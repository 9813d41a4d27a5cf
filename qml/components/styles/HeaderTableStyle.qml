import QtQuick 2.15
import "../../misc"

// A table header cell: title and, on the sorted column, the sort direction.
Rectangle {
    id: cell

    property string title
    property bool sortable: true
    property bool sorted: false
    property int sortOrder: Qt.AscendingOrder
    property int alignment: Qt.AlignLeft

    signal clicked()

    height: LynAppStyle.tableHeaderHeight
    color: mouse.containsMouse && sortable ? LynAppStyle.hoverColor : LynAppStyle.panelAltColor

    Text {
        anchors.fill: parent
        anchors.leftMargin: LynAppStyle.spacing
        anchors.rightMargin: LynAppStyle.spacing + (cell.sorted ? arrow.width : 0)
        text: cell.title
        horizontalAlignment: cell.alignment
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.family: LynAppStyle.fontFamily
        font.pointSize: LynAppStyle.fontSize
        font.weight: Font.Medium
        color: cell.sorted ? LynAppStyle.textColor : LynAppStyle.textSecondaryColor
    }
    Image {
        id: arrow
        objectName: "sortIndicator"
        anchors.right: parent.right
        anchors.rightMargin: LynAppStyle.smallSpacing
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        visible: cell.sorted
        rotation: cell.sortOrder === Qt.AscendingOrder ? -90 : 90
        source: "qrc:/img/calendar/next.png"
        sourceSize: Qt.size(24, 24)
    }
    Rectangle {
        anchors.right: parent.right
        width: 1
        height: parent.height
        color: LynAppStyle.borderColor
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: if (cell.sortable) cell.clicked()
    }
}
