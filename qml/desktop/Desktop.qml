import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "tiles"
import "events/table"
import "../components"
import "../misc"

// Live tiles beside the recorded events.
Rectangle {
    id: desktop

    property QtObject globalObjects
    property bool eventsDetached: false
    property bool eventsShown: true
    readonly property string externalPlayerUrl: "qrc:/qml/archive/ExternalArchivePlayer.qml"

    function showPart(part) {
        if (part === "events") {
            eventsShown = true
            if (eventsDetached)
                eventsWindow.requestActivate()
        } else if (part === "tileGrid") {
            tileGrid.forceActiveFocus()
        }
    }

    function chooseLayout(name) {
        tileGrid.layoutName = name
        SETTINGS.setValue("Desktop", "layout", name)
    }

    function chooseBigMode(on) {
        tileGrid.bigMode = on
        SETTINGS.setValue("Desktop", "bigMode", on ? "yes" : "no")
    }

    // The archive screen provides the player; without it there is nothing to open.
    function openEvent(record) {
        var component = Qt.createComponent(externalPlayerUrl)
        if (component.status !== Component.Ready) {
            console.warn("No external archive player: " + component.errorString())
            return
        }
        var player = component.createObject(desktop, {
            rowID: record.rowID, rstIDDevice: record.rstIDDevice, dtStart: record.dtStart,
            dtEnd: record.dtEnd, deviceName: record.deviceName })
        if (player === null) {
            console.warn("The external archive player could not be created")
            return
        }
        player.show()
    }

    color: LynAppStyle.windowColor

    Connections {
        target: desktop.ApplicationWindow.window && desktop.ApplicationWindow.window.menuBarItem
                ? desktop.ApplicationWindow.window.menuBarItem : null
        ignoreUnknownSignals: true
        function onDesktopPartRequested(part) { desktop.showPart(part) }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        DesktopToolBar {
            objectName: "desktopToolBar"
            Layout.fillWidth: true
            layoutName: tileGrid.layoutName
            bigMode: tileGrid.bigMode
            day: eventsTable.day
            onLayoutChosen: function(name) { desktop.chooseLayout(name) }
            onBigModeToggled: function(on) { desktop.chooseBigMode(on) }
            onDayChosen: function(day) { eventsTable.day = day }
        }

        SplitView {
            Layout.fillWidth: true
            Layout.fillHeight: true
            orientation: Qt.Horizontal
            handle: HandleDelegate {}

            TileGrid {
                id: tileGrid
                objectName: "tileGrid"
                SplitView.fillWidth: true
                focus: true
                deviceController: desktop.globalObjects ? desktop.globalObjects.deviceController : null
                mediaPlayerContainer: desktop.globalObjects ? desktop.globalObjects.mediaPlayerContainer : null
                layoutName: SETTINGS.value("Desktop", "layout", "S2_2")
                bigMode: SETTINGS.value("Desktop", "bigMode", "no") === "yes"
            }
            Item {
                id: eventsDock
                objectName: "eventsDock"
                visible: desktop.eventsShown && !desktop.eventsDetached
                SplitView.preferredWidth: 420
                SplitView.minimumWidth: 260
            }
        }
    }

    EventsTable {
        id: eventsTable
        objectName: "eventsTable"
        parent: desktop.eventsDetached ? eventsWindow.contentItem : eventsDock
        anchors.fill: parent
        anchors.margins: desktop.eventsDetached ? LynAppStyle.borderWidth : 0
        anchors.topMargin: desktop.eventsDetached ? eventsWindow.titleBar.height + LynAppStyle.borderWidth : 0
        deviceController: desktop.globalObjects ? desktop.globalObjects.deviceController : null
        detached: desktop.eventsDetached
        onDetachToggled: desktop.eventsDetached = !desktop.eventsDetached
        onEventActivated: function(record) { desktop.openEvent(record) }
    }

    LynFrameWindow {
        id: eventsWindow
        objectName: "eventsWindow"
        title: qsTr("Events")
        width: 480
        height: 600
        visible: desktop.eventsDetached
        onClosing: desktop.eventsDetached = false
    }
}
