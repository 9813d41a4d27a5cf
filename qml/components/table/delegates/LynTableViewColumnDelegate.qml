import QtQuick 2.15
import "../.."
import "../../../misc"

// One cell: the column's text for the row's value, or a check box.
Item {
    id: cell

    property var column
    property var value
    property int row: -1

    clip: true

    Text {
        anchors.fill: parent
        anchors.leftMargin: LynAppStyle.spacing
        anchors.rightMargin: LynAppStyle.spacing
        visible: cell.column.kind === "text"
        text: visible ? cell.column.displayText(cell.value) : ""
        horizontalAlignment: cell.column.alignment
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.family: LynAppStyle.fontFamily
        font.pointSize: LynAppStyle.fontSize
        color: LynAppStyle.textColor
    }

    Loader {
        anchors.centerIn: parent
        active: cell.column.kind === "checkBox"
        sourceComponent: LynCheckBox {
            objectName: "checkBox_" + cell.row
            checked: cell.value === true || cell.value === 1
            onToggled: cell.column.toggled(cell.row, checked)
        }
    }

    Loader {
        anchors.fill: parent
        active: cell.column.kind === "custom" && cell.column.cellDelegate !== null
        sourceComponent: cell.column.cellDelegate
        onLoaded: {
            item.value = Qt.binding(function() { return cell.value })
            item.row = Qt.binding(function() { return cell.row })
        }
    }
}
