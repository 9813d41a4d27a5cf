import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../filterEditor"
import "../../../components/table"
import "../../../components/table/tableViewColumns"
import "../../../components/toolBar"
import "../../../misc"

// The recorded events, newest first, optionally of one day and of chosen devices.
ColumnLayout {
    id: eventsTable

    property QtObject deviceController
    // Start of the day shown (local midnight), or null for every day.
    property var day: null
    property bool detached: false
    // rowIDs of the devices shown; empty for all.
    property var devices: []
    readonly property alias controller: archive
    readonly property int rowCount: view.count

    signal detachToggled()
    // Double click on an event: the record to play.
    signal eventActivated(var record)

    function query() {
        archive.clearParam4trQuery()
        var conditions = [{ type: 1 }]
        if (day !== null)
            conditions.push({ dtStart: { "$bt": [day.getTime(), day.getTime() + 86400000 - 1] } })
        archive.trQuery({}, { "$and": conditions }, { "$orderby": { dtStart: -1 } })
    }

    function applyDevices(ids) {
        devices = ids
        var proxy = archive.proxyModel
        proxy.clearHardFilter()
        proxy.clearHardFilterGroup()
        if (ids.length === 0)
            return
        proxy.appendHardFilterGroup("devices", "and")
        for (var i = 0; i < ids.length; ++i)
            proxy.appendHardFilterRole("rstIDDevice", "=", ids[i], "or", "devices")
    }

    spacing: 0
    onDayChanged: query()
    Component.onCompleted: {
        archive.proxyModel.setFilterFields(["deviceName", "detected"])
        archive.proxyModel.sortRows("dtStart", Qt.DescendingOrder)
        query()
    }

    ArchiveController {
        id: archive
        useTrQuery: true
        ignoreSrUpdated: true
        ignoreSrInserted: true
        onSaQuery: function(mapParams) {
            if (String(mapParams._receiver) !== objectNumber || !Array.isArray(mapParams.records))
                return
            for (var i = 0; i < mapParams.records.length; ++i)
                originalModel.addRow(mapParams.records[i])
        }
    }

    Connections {
        target: NET
        function onConnectionState(isConnected) { if (isConnected) eventsTable.query() }
    }
    // In P2P mode the query travels through the relay, which is up only once logged
    // in to the P2P server: a query sent before that is lost.
    Connections {
        target: NETP2P
        function onConnectionState(isConnected) { if (isConnected && NET.isP2PMode()) eventsTable.query() }
    }

    LynToolBar {
        Layout.fillWidth: true
        LynToolButton {
            objectName: "eventsFilterButton"
            text: qsTr("Events filter")
            icon.source: "qrc:/img/buttons/filter.png"
            checkable: false
            checked: eventsTable.devices.length > 0
            onClicked: filterEditor.open()
        }
        LynToolButton {
            objectName: "eventsRefreshButton"
            text: qsTr("Refresh")
            icon.source: "qrc:/img/buttons/refresh.png"
            shortcut: StandardKey.Refresh
            onClicked: eventsTable.query()
        }
        Item { Layout.fillWidth: true }
        LynToolButton {
            objectName: eventsTable.detached ? "eventsAttachButton" : "eventsDetachButton"
            text: eventsTable.detached ? qsTr("Back to the desktop") : qsTr("Open in its own window")
            icon.source: "qrc:/img/player/detach.png"
            onClicked: eventsTable.detachToggled()
        }
    }

    LynTableContainer {
        objectName: "eventsTableContainer"
        Layout.fillWidth: true
        Layout.fillHeight: true
        title: qsTr("Events")
        rowCount: view.count

        LynTableView {
            id: view
            objectName: "eventsTableView"
            anchors.fill: parent
            multiSelection: false
            model: archive.proxyModel
            sortRole: "dtStart"
            sortOrder: Qt.DescendingOrder
            onSortRequested: function(role, order) { archive.proxyModel.sortRows(role, order) }
            onActivated: function(row, id) { eventsTable.eventActivated(archive.proxyModel.proxyData(id)) }

            LynTableViewColumnFuzzyTime { role: "dtStart"; title: qsTr("Time") }
            LynTableViewColumn { role: "detected"; title: qsTr("Detected"); width: 110 }
            LynTableViewColumn { role: "deviceName"; title: qsTr("Device name"); stretch: true }
        }
    }

    FilterEditor {
        id: filterEditor
        objectName: "eventsFilterEditor"
        deviceModel: eventsTable.deviceController ? eventsTable.deviceController.originalModel : null
        devices: eventsTable.devices
        onApplied: function(ids) { eventsTable.applyDevices(ids) }
    }
}
