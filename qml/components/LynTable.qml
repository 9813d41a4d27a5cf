import QtQuick 2.15
import QtQuick.Layouts 1.15
import "table"
import "../misc"

// Tool bar, framed table and the delete confirmation, over any list model.
// Asks with signals; the screen talks to its controller.
ColumnLayout {
    id: lynTable

    property alias title: container.title
    property alias model: tableView.model
    default property alias columns: tableView.columns
    property alias idRole: tableView.idRole
    property alias selectedIds: tableView.selectedIds
    property alias sortRole: tableView.sortRole
    property alias sortOrder: tableView.sortOrder
    property alias tableView: tableView
    property alias toolBar: toolBar
    property int rowCount: tableView.count
    property alias deleteTitle: deleteDialog.title
    property alias deleteText: deleteDialog.text

    signal addRequested()
    signal editRequested(var id)
    signal removeRequested(var ids)
    signal refreshRequested()
    signal sortRequested(string role, int order)
    signal filterChanged(string pattern)

    function confirmRemove() {
        if (tableView.selectedIds.length > 0)
            deleteDialog.open()
    }

    spacing: 0

    LynTableToolBar {
        id: toolBar
        objectName: lynTable.objectName + "ToolBar"
        Layout.fillWidth: true
        hasSelection: tableView.selectedIds.length > 0
        onAddClicked: lynTable.addRequested()
        onEditClicked: lynTable.editRequested(tableView.selectedIds[0])
        onDeleteClicked: lynTable.confirmRemove()
        onRefreshClicked: lynTable.refreshRequested()
        onFilterChanged: function(pattern) { lynTable.filterChanged(pattern) }
    }
    LynTableContainer {
        id: container
        objectName: lynTable.objectName + "Container"
        Layout.fillWidth: true
        Layout.fillHeight: true
        rowCount: lynTable.rowCount

        LynTableView {
            id: tableView
            objectName: lynTable.objectName + "View"
            anchors.fill: parent
            onSortRequested: function(role, order) { lynTable.sortRequested(role, order) }
            onActivated: function(row, id) { lynTable.editRequested(id) }
            onDeleteRequested: lynTable.confirmRemove()
        }
    }

    LynDialog {
        id: deleteDialog
        objectName: lynTable.objectName + "DeleteDialog"
        type: Enums.DialogType.QUESTION
        title: qsTr("Delete")
        text: qsTr("Delete selected record?")
        onAccepted: lynTable.removeRequested(tableView.selectedIds)
    }
}
