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

    // Arrow keys move the current row and the selection with it.
    function moveCurrent(delta) {
        if (count === 0)
            return
        var row = Utils.clamp(currentRow + delta, 0, count - 1)
        inner.view.positionViewAtIndex(row, ListView.Contain)
        inner.currentIndex = row
        select(inner.idAt(row), 0)
    }

    activeFocusOnTab: true

    Keys.onUpPressed: moveCurrent(-1)
    Keys.onDownPressed: moveCurrent(1)

    Keys.onReturnPressed: if (currentRow >= 0) activated(currentRow, currentId)
    Keys.onEnterPressed: if (currentRow >= 0) activated(currentRow, currentId)
    Keys.onDeletePressed: if (selectedIds.length > 0) deleteRequested(selectedIds)

    LynInnerTable {
        id: inner
        objectName: table.objectName + "Inner"
        anchors.fill: parent
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
}
