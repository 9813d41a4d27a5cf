import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/menuBar"
import "../../components/table/tableViewColumns"
import "../../misc"
import "../deviceEditor"
import "../searchDevice"
import "../../devicePassword/table"

// The "Devices" tab: the device table with its editor, the camera search and
// the device passwords, one view at a time.
Rectangle {
    id: page

    property QtObject globalObjects
    readonly property var controller: globalObjects ? globalObjects.deviceController : null
    readonly property bool connected: ApplicationWindow.window ? ApplicationWindow.window.connected === true : false
    readonly property string objectsSettingName: "deviceTable"

    function openEditor(rowId) {
        if (rowId === undefined || rowId === null)
            editor.openToAddDevice()
        else
            editor.openToEditDevice(rowId)
    }

    function removeDevices(ids) {
        guard.run(function() {
            for (var i = 0; i < ids.length; ++i)
                controller.trRem({ "rowID": ids[i], "_request": "deviceTable" })
        })
    }

    // The filter, the sort and the hidden columns outlive the window.
    function restoreChoices() {
        var pattern = SETTINGS.value(objectsSettingName, "filter", "")
        toolBar.filterField.text = pattern
        controller.proxyModel.setFilterFields(["deviceName", "source"])
        controller.proxyModel.setFilterPattern(pattern)
        var role = SETTINGS.value(objectsSettingName, "sortRole", "")
        if (role !== "") {
            table.sortRole = role
            table.sortOrder = Number(SETTINGS.value(objectsSettingName, "sortOrder", "0"))
            controller.proxyModel.sortRows(role, table.sortOrder)
        }
        var hidden = SETTINGS.value(objectsSettingName, "hiddenColumns", "").split(",").filter(function(role) {
            return role !== ""
        })
        for (var i = 0; i < table.columns.length; ++i) {
            if (hidden.indexOf(table.columns[i].role) >= 0)
                table.columns[i].visible = false
        }
    }

    function storeHiddenColumns() {
        var hidden = []
        for (var i = 0; i < table.columns.length; ++i) {
            if (!table.columns[i].visible)
                hidden.push(table.columns[i].role)
        }
        SETTINGS.setValue(objectsSettingName, "hiddenColumns", hidden.join(","))
    }

    color: LynAppStyle.windowColor

    Component.onCompleted: {
        restoreChoices()
        // The shared device model may already be loaded by another screen.
        if (!controller.useTrQuery) {
            controller.useTrQuery = true
            controller.trQuery()
        }
    }

    Connections {
        target: page.controller
        function onSaQuery(mapParams) {
            var records = mapParams.records || []
            for (var i = 0; i < records.length; ++i)
                page.controller.originalModel.addRow(records[i])
        }
        function onSaRem(mapParams) {
            if (mapParams._request !== "deviceTable")
                return
            if (mapParams.status === "OK")
                page.controller.originalModel.delRow(String(mapParams.rowID))
            else
                guard.show(Enums.DialogType.ALERT, qsTr("Delete error"), qsTr("Failed to delete"))
        }
    }

    StackLayout {
        id: views
        objectName: "devicesViews"
        anchors.fill: parent
        anchors.margins: LynAppStyle.margin

        ColumnLayout {
            spacing: 0

            DevicesToolBar {
                id: toolBar
                objectName: "devicesToolBar"
                Layout.fillWidth: true
                hasSelection: table.selectedIds.length > 0
                onAddClicked: page.openEditor(undefined)
                onEditClicked: page.openEditor(table.selectedIds[0])
                onDeleteClicked: table.confirmRemove()
                onRefreshClicked: guard.run(function() { page.controller.trQuery() })
                onFilterChanged: function(pattern) {
                    page.controller.proxyModel.setFilterPattern(pattern)
                    SETTINGS.setValue(page.objectsSettingName, "filter", pattern)
                }
                onSearchClicked: views.currentIndex = 1
                onPasswordsClicked: views.currentIndex = 2
                onColumnsClicked: function(button) { columnsMenu.popup(button, 0, button.height) }
            }
            LynTable {
                id: table
                objectName: "deviceTable"
                Layout.fillWidth: true
                Layout.fillHeight: true
                title: qsTr("Devices")
                toolBar.visible: false
                model: page.controller ? page.controller.proxyModel : null
                deleteTitle: qsTr("Delete device")
                deleteText: qsTr("Delete selected device?")

                LynTableViewColumnId {}
                LynTableViewColumn { role: "deviceName"; title: qsTr("Device name"); width: 260 }
                LynTableViewColumn {
                    role: "source"
                    title: qsTr("Source address")
                    stretch: true
                    // The password in a source address is not shown.
                    function displayText(value) {
                        return value ? String(value).replace(/(:\/\/[^:@\/]*:)[^@\/]*@/, "$1***@") : ""
                    }
                }

                onEditRequested: function(id) { page.openEditor(id) }
                onRemoveRequested: function(ids) { page.removeDevices(ids) }
                onSortRequested: function(role, order) {
                    page.controller.proxyModel.sortRows(role, order)
                    SETTINGS.setValue(page.objectsSettingName, "sortRole", role)
                    SETTINGS.setValue(page.objectsSettingName, "sortOrder", order)
                }
            }
        }

        SearchDeviceTable {
            objectName: "searchDevicePage"
            deviceController: page.controller
            connected: page.connected
            onCloseRequested: views.currentIndex = 0
        }

        DevicePasswordTable {
            objectName: "devicePasswordPage"
            connected: page.connected
            active: views.currentIndex === 2
            onCloseRequested: views.currentIndex = 0
        }
    }

    LynMenu {
        id: columnsMenu
        objectName: "deviceColumnsMenu"
        Instantiator {
            model: table.columns.length
            LynMenuItem {
                objectName: "deviceColumn_" + table.columns[index].role
                text: table.columns[index].title
                checkable: true
                checked: table.columns[index].visible
                onTriggered: {
                    table.columns[index].visible = checked
                    page.storeHiddenColumns()
                }
            }
            onObjectAdded: function(index, object) { columnsMenu.insertItem(index, object) }
            onObjectRemoved: function(index, object) { columnsMenu.removeItem(object) }
        }
    }

    // A right click on a row offers what the tool bar does.
    Connections {
        target: table.tableView
        function onContextMenuRequested(row, id, x, y) { rowMenu.popup() }
    }
    LynMenu {
        id: rowMenu
        objectName: "deviceRowMenu"
        LynMenuItem {
            objectName: "deviceRowMenuAdd"
            text: qsTr("Add")
            onTriggered: page.openEditor(undefined)
        }
        LynMenuItem {
            objectName: "deviceRowMenuEdit"
            text: qsTr("Edit")
            enabled: table.selectedIds.length > 0
            onTriggered: page.openEditor(table.selectedIds[0])
        }
        LynMenuItem {
            objectName: "deviceRowMenuDelete"
            text: qsTr("Delete")
            enabled: table.selectedIds.length > 0
            onTriggered: table.confirmRemove()
        }
    }

    DeviceEditor {
        id: editor
        objectName: "deviceEditor"
        deviceController: page.controller
        mediaPlayerContainer: page.globalObjects ? page.globalObjects.mediaPlayerContainer : null
        connected: page.connected
    }

    LynNetworkGuard {
        id: guard
        objectName: "devicesNetworkDialog"
        connected: page.connected
    }
}
