import QtQuick 2.15
import QtQuick.Controls 2.15
import "delegates"
import "tableViewColumns"
import "../styles"
import "../../misc"

// Header and rows of a table over any list model; columns pick the roles to show.
// It only draws and reports; selection and sorting state come from outside.
Item {
    id: inner

    property var model
    property list<LynTableViewColumn> columns
    property string idRole: "rowID"
    property string sortRole: ""
    property int sortOrder: Qt.AscendingOrder
    property var selectedIds: []
    property alias view: view
    property alias currentIndex: view.currentIndex
    readonly property int count: view.count

    // Width of the columns without `stretch`, and how many stretch.
    readonly property var layoutInfo: {
        var fixed = 0
        var stretching = 0
        for (var i = 0; i < columns.length; ++i) {
            if (!columns[i].visible)
                continue
            if (columns[i].stretch)
                ++stretching
            else
                fixed += columns[i].width
        }
        return { "fixed": fixed, "stretching": stretching }
    }

    signal headerClicked(var column)
    signal rowClicked(int row, var id, int modifiers)
    signal rowDoubleClicked(int row, var id)
    signal rowRightClicked(int row, var id, real x, real y)

    function columnWidth(column) {
        if (!column.visible)
            return 0
        if (!column.stretch)
            return column.width
        return Math.max(column.width, (width - layoutInfo.fixed) / Math.max(1, layoutInfo.stretching))
    }

    function idAt(row) {
        var item = view.itemAtIndex(row)
        return item ? item.rowId : undefined
    }

    clip: true

    Row {
        id: header
        objectName: inner.objectName + "Header"
        z: 2
        Repeater {
            model: inner.columns
            HeaderTableStyle {
                objectName: "header_" + modelData.role
                width: inner.columnWidth(modelData)
                visible: modelData.visible
                title: modelData.title
                sortable: modelData.sortable
                alignment: modelData.alignment
                sorted: inner.sortRole !== "" && inner.sortRole === modelData.role
                sortOrder: inner.sortOrder
                onClicked: inner.headerClicked(modelData)
            }
        }
    }

    ListView {
        id: view
        objectName: inner.objectName + "Rows"
        anchors.fill: parent
        anchors.topMargin: LynAppStyle.tableHeaderHeight
        model: inner.model
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        highlightMoveDuration: 0
        keyNavigationEnabled: false
        currentIndex: -1
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        delegate: Rectangle {
            id: rowItem

            readonly property var rowId: model[inner.idRole]
            readonly property bool selected: inner.selectedIds.indexOf(rowId) >= 0
            readonly property var rowModel: model
            readonly property int rowIndex: index

            objectName: "row_" + index
            width: view.width
            height: LynAppStyle.tableRowHeight
            color: selected ? LynAppStyle.selectionColor
                            : rowMouse.containsMouse ? LynAppStyle.hoverColor
                                                     : index % 2 ? LynAppStyle.panelAltColor : LynAppStyle.panelColor

            Row {
                anchors.fill: parent
                Repeater {
                    model: inner.columns
                    LynTableViewColumnDelegate {
                        objectName: "cell_" + rowItem.rowIndex + "_" + modelData.role
                        width: inner.columnWidth(modelData)
                        height: rowItem.height
                        visible: modelData.visible
                        column: modelData
                        row: rowItem.rowIndex
                        value: rowItem.rowModel[modelData.role]
                    }
                }
            }
            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                // Check boxes in cells take their own clicks.
                z: -1
                onClicked: function(mouse) {
                    view.currentIndex = rowItem.rowIndex
                    if (mouse.button === Qt.RightButton)
                        inner.rowRightClicked(rowItem.rowIndex, rowItem.rowId, mouse.x, rowItem.y - view.contentY + mouse.y)
                    else
                        inner.rowClicked(rowItem.rowIndex, rowItem.rowId, mouse.modifiers)
                }
                onDoubleClicked: inner.rowDoubleClicked(rowItem.rowIndex, rowItem.rowId)
            }
        }
    }
}
