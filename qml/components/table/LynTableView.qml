import QtQuick 2.15
import "tableViewColumns"
import "../../misc"

// A table with row selection by id, sorting by header click and the usual keys.
// Sorting itself is the model's business: the table asks with sortRequested.
FocusScope {
    id: table

    property alias model: inner.model
    default property alias columns: inner.columns
    property alias idRole: inner.idRole
    property alias sortRole: inner.sortRole
    property alias sortOrder: inner.sortOrder
    property alias selectedIds: inner.selectedIds
    property bool multiSelection: true
    property alias currentRow: inner.currentIndex
    readonly property alias count: inner.count
    readonly property var currentId: inner.currentIndex >= 0 ? inner.idAt(inner.currentIndex) : undefined

    signal sortRequested(string role, int order)
    // Double click or Enter on a row.
    signal activated(int row, var id)
    // Delete key with rows selected.
    signal deleteRequested(var ids)
    signal contextMenuRequested(int row, var id, real x, real y)

    function select(id, modifiers) {
        if (id === undefined)
            return
        if (multiSelection && (modifiers & Qt.ControlModifier)) {
            var ids = selectedIds.filter(function(other) { return other !== id })
            if (ids.length === selectedIds.length)
                ids.push(id)
            selectedIds = ids
        } else {
            selectedIds = [id]
        }
    }

    function sortBy(role) {
        var order = Utils.nextSortOrder(sortRole === role, sortOrder)
        sortRole = role
        sortOrder = order
        sortRequested(role, order)
    }

    activeFocusOnTab: true

    Keys.onReturnPressed: if (currentRow >= 0) activated(currentRow, currentId)
    Keys.onEnterPressed: if (currentRow >= 0) activated(currentRow, currentId)
    Keys.onDeletePressed: if (selectedIds.length > 0) deleteRequested(selectedIds)

    LynInnerTable {
        id: inner
        objectName: table.objectName + "Inner"
        anchors.fill: parent
        view.focus: true
        onHeaderClicked: function(column) { table.sortBy(column.role) }
        onRowClicked: function(row, id, modifiers) {
            table.forceActiveFocus()
            table.select(id, modifiers)
        }
        onRowDoubleClicked: function(row, id) { table.activated(row, id) }
        onRowRightClicked: function(row, id, x, y) {
            if (table.selectedIds.indexOf(id) < 0)
                table.select(id, 0)
            table.contextMenuRequested(row, id, x, y)
        }
    }

    // Arrow keys move the current row; the selection follows it.
    Connections {
        target: inner.view
        function onCurrentIndexChanged() {
            var id = inner.idAt(inner.currentIndex)
            if (table.activeFocus && id !== undefined && table.selectedIds.indexOf(id) < 0)
                table.selectedIds = [id]
        }
    }
}
