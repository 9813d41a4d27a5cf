import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components"
import "../../components/table/tableViewColumns"
import "../../misc"
import "../editor"

// The login/password pairs the server tries on cameras.
ColumnLayout {
    id: page

    property bool connected: true
    // Loaded the first time the page is shown.
    property bool active: false

    signal closeRequested()


    function load() {
        guard.run(function() {
            passwordController.useTrQuery = true
            passwordController.trQuery()
        })
    }

    onActiveChanged: if (active && !passwordController.useTrQuery) load()

    spacing: 0

    DevicePasswordController {
        id: passwordController
        onSaQuery: function(reply) {
            if (String(reply._receiver) !== passwordController.objectNumber)
                return
            var records = reply.records || []
            for (var i = 0; i < records.length; ++i)
                passwordController.originalModel.addRow(records[i])
        }
        onSaRem: function(reply) {
            if (reply.status === "OK")
                passwordController.originalModel.delRow(String(reply.rowID))
            else
                guard.show(Enums.DialogType.ALERT, qsTr("Delete error"), qsTr("Failed to delete"))
        }
    }

    DevicePasswordToolBar {
        objectName: "devicePasswordToolBar"
        Layout.fillWidth: true
        hasSelection: table.selectedIds.length > 0
        onAddClicked: editor.openToAdd({})
        onEditClicked: editor.openToEdit(table.selectedIds[0])
        onDeleteClicked: table.confirmRemove()
        onRefreshClicked: page.load()
        onFilterChanged: function(pattern) { passwordController.proxyModel.setFilterPattern(pattern) }
        onBackClicked: page.closeRequested()
    }
    LynTable {
        id: table
        objectName: "devicePasswordTable"
        Layout.fillWidth: true
        Layout.fillHeight: true
        title: qsTr("Device passwords")
        toolBar.visible: false
        model: passwordController.proxyModel

        LynTableViewColumnId {}
        LynTableViewColumn { role: "login"; title: qsTr("Login"); stretch: true }
        LynTableViewColumn {
            role: "password"
            title: qsTr("Password")
            width: 200
            function displayText(value) { return value ? "••••••" : "" }
        }

        onEditRequested: function(id) { editor.openToEdit(id) }
        onRemoveRequested: function(ids) {
            guard.run(function() {
                for (var i = 0; i < ids.length; ++i)
                    passwordController.trRem({ "rowID": ids[i] })
            })
        }
        onSortRequested: function(role, order) { passwordController.proxyModel.sortRows(role, order) }
    }

    DevicePasswordEditor {
        id: editor
        objectName: "devicePasswordEditor"
        controller: passwordController
        connected: page.connected
    }

    LynNetworkGuard {
        id: guard
        objectName: "devicePasswordDialog"
        connected: page.connected
    }
}
