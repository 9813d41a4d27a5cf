import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components"
import "../../components/table/delegates"
import "../../components/table/tableViewColumns"
import "../../misc"
import "../DeviceTiles.js" as DeviceTiles

// Cameras the server finds on the network. A double click or Enter edits a
// found one; the checked ones ("Save") become devices on free tiles.
ColumnLayout {
    id: page

    property var deviceController
    property bool connected: true
    property int searchState: Enums.SearchState.DEFAULT
    property int progress: 0
    property int checkedCount: 0
    property int savedCount: 0
    readonly property var searchModel: searchController.originalModel

    signal closeRequested()


    function countChecked() {
        var count = 0
        for (var row = 0; row < searchModel.rowCount; ++row) {
            if (searchModel.originalData(row, "isAdd") === true)
                ++count
        }
        checkedCount = count
    }

    function startSearch() {
        guard.run(function() {
            searchModel.clear()
            checkedCount = 0
            progress = 0
            searchState = Enums.SearchState.SEARCHING
            searchController.trSearch({})
        })
    }

    function stopSearch() {
        guard.run(function() {
            searchState = Enums.SearchState.STOPPING
            searchController.trSearch({ "stop": true })
        })
    }

    function saveChecked() {
        guard.run(function() {
            var rows = []
            for (var row = 0; row < searchModel.rowCount; ++row) {
                if (searchModel.originalData(row, "isAdd") === true)
                    rows.push(searchModel.originalData(row))
            }
            var tiles = DeviceTiles.freeTiles(deviceController.originalModel, rows.length)
            savedCount = 0
            for (var i = 0; i < rows.length; ++i) {
                deviceController.trAdd({ "deviceName": rows[i].deviceName, "camType": rows[i].camType,
                                         "source": rows[i].source, "tileIndex": tiles[i],
                                         "_request": "searchDeviceSave" })
                searchModel.updateValue(String(rows[i].rowID), "isAdd", false)
            }
            checkedCount = 0
        })
    }

    spacing: 0

    SearchDevicesController {
        id: searchController
        onSaSearch: function(reply) {
            if (reply.status !== "OK") {
                page.searchState = Enums.SearchState.DEFAULT
                guard.show(Enums.DialogType.ALERT, qsTr("Search error"), reply.errorMessage || "")
                return
            }
            var records = reply.records || []
            for (var i = 0; i < records.length; ++i)
                page.searchModel.addRow(records[i])
            page.progress = reply.progress || 0
            var states = { "SEARCHING": Enums.SearchState.SEARCHING, "SEARCHED": Enums.SearchState.SEARCHED,
                           "STOPED": Enums.SearchState.STOPED }
            // A late progress answer does not undo a stop in flight.
            if (!(page.searchState === Enums.SearchState.STOPPING && reply.state === "SEARCHING"))
                page.searchState = states[reply.state] !== undefined ? states[reply.state] : page.searchState
            page.countChecked()
        }
    }

    Connections {
        target: page.deviceController
        function onSaAdd(reply) {
            if (reply._request !== "searchDeviceSave")
                return
            if (reply.status === "OK")
                ++page.savedCount
            else
                guard.show(Enums.DialogType.ALERT, qsTr("Add error"), qsTr("Failed to add"))
        }
    }

    SearchToolBar {
        objectName: "searchToolBar"
        Layout.fillWidth: true
        searchState: page.searchState
        progress: page.progress
        checkedCount: page.checkedCount
        onBackClicked: page.closeRequested()
        onSearchClicked: page.startSearch()
        onStopClicked: page.stopSearch()
        onSaveClicked: page.saveChecked()
    }
    LynTable {
        id: table
        objectName: "searchDeviceTable"
        Layout.fillWidth: true
        Layout.fillHeight: true
        title: qsTr("Device search")
        toolBar.visible: false
        model: searchController.proxyModel

        LynTableViewColumn {
            role: "state"
            title: ""
            width: 32
            sortable: false
            kind: "custom"
            cellDelegate: Component { LynTableViewSearchDeviceStateDelegate {} }
        }
        LynTableViewColumn { role: "ip"; title: qsTr("IP address"); width: 140 }
        LynTableViewColumn { role: "deviceName"; title: qsTr("Device name"); stretch: true }
        LynTableViewColumn { role: "login"; title: qsTr("Login"); width: 110 }
        LynTableViewColumn {
            role: "password"
            title: qsTr("Password")
            width: 110
            function displayText(value) { return value ? "••••••" : "" }
        }
        LynTableViewColumn {
            role: "picture"
            title: qsTr("Picture")
            width: 90
            sortable: false
            kind: "custom"
            cellDelegate: Component {
                Image {
                    property var value
                    property int row: -1
                    fillMode: Image.PreserveAspectFit
                    source: value ? "data:image/jpeg;base64," + value : "qrc:/img/tiles/add_cam_on.png"
                    sourceSize.height: 24
                    opacity: value ? 1 : 0.4
                }
            }
        }
        LynTableViewColumnYesNo { role: "isNew"; title: qsTr("New") }
        LynTableViewColumnCheckBox {
            role: "isAdd"
            title: qsTr("Save")
            width: 56
            onToggled: function(row, checked) {
                var proxy = searchController.proxyModel
                var sourceRow = proxy.mapToSource(proxy.index(row, 0)).row
                page.searchModel.updateValue(sourceRow, "isAdd", checked)
                page.countChecked()
            }
        }

        onSortRequested: function(role, order) { searchController.proxyModel.sortRows(role, order) }
        onEditRequested: function(id) { editor.openFor(id) }
    }

    SearchDeviceEditor {
        id: editor
        objectName: "searchDeviceEditor"
        searchController: searchController
        onEdited: page.countChecked()
    }

    LynNetworkGuard {
        id: guard
        objectName: "searchDeviceDialog"
        connected: page.connected
    }
}
