import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../components/calendar"
import "../components/text"
import "../misc"

// The archive: the chosen day's recordings as one time line per device, and
// a player for the point picked on a line. No background of its own: the
// window's is the same colour, and every painted layer costs a frame time.
Item {
    id: archive

    property QtObject globalObjects
    property date day: new Date()
    readonly property real dayStartMs: midnightMs(0)
    readonly property real dayEndMs: midnightMs(1)
    readonly property QtObject devices: globalObjects ? globalObjects.deviceController : null
    // The stream being played.
    property string streamKey: ""
    property int playingDevice: -1
    property real positionMs: -1
    property bool paused: false

    // Midnight `days` after the chosen day's. Read from the day itself: in onDayChanged
    // the bindings of dayStartMs and dayEndMs may still hold the previous day.
    function midnightMs(days) {
        return new Date(day.getFullYear(), day.getMonth(), day.getDate() + days).getTime()
    }
    function queryDay() {
        // Pieces that touch the day; a piece is never longer than an hour.
        var start = midnightMs(0)
        archiveController.trQuery({}, {"$and": [{"dtStart": {"$bt": [start - 3600000, midnightMs(1) - 1]}},
                                               {"dtEnd": {"$gte": start}}]},
                                  {"$orderby": {"dtStart": 1}})
    }
    // The lines need the devices' names: load them when no screen has yet.
    function loadDevices() {
        if (devices && devices.originalModel.rowCount === 0) {
            devices.useTrQuery = true
            devices.trQuery()
        }
    }
    function buildLines() {
        if (devices)
            lineController.buildLines(archiveController.originalModel, devices.originalModel, dayStartMs, dayEndMs)
    }
    function removeStream() {
        if (streamKey !== "")
            playerController.trRemoveVideo({"streamKey": streamKey})
        streamKey = ""
        playingDevice = -1
        positionMs = -1
        paused = false
        video.stop()
    }
    function playAt(deviceId, second) {
        var target = Math.round(dayStartMs + second * 1000)
        if (deviceId === playingDevice && streamKey !== "") {
            playerController.trJumpVideo({"streamKey": streamKey, "currentPosition": target})
            return
        }
        removeStream()
        var sent = playerController.trCreateVideo({"rstIDDevice": deviceId, "dtStart": dayStartMs, "dtEnd": dayEndMs,
                                                   "dtStartRange": target, "_playAfterCreate": true,
                                                   "playBackSpeed": toolBar.speed})
        streamKey = sent.streamKey
        playingDevice = deviceId
        positionMs = target
    }
    function togglePause() {
        if (streamKey === "")
            return
        if (paused)
            playerController.trPlayVideo({"streamKey": streamKey, "playBackSpeed": toolBar.speed})
        else
            playerController.trPauseVideo({"streamKey": streamKey})
    }
    function jump(seconds) {
        if (streamKey !== "")
            playerController.trJumpVideo({"streamKey": streamKey, "step": Math.abs(seconds), "direction": seconds < 0 ? -1 : 1})
    }
    function showPicture(piece) {
        picture.source = ""
        if (piece.type === 1)
            archiveController.trInfo({"rowID": piece.rowID})
    }

    onDayChanged: {
        removeStream()
        queryDay()
    }
    onVisibleChanged: {
        if (!visible)
            removeStream()
    }
    Component.onCompleted: {
        loadDevices()
        queryDay()
    }
    Component.onDestruction: removeStream()

    ArchiveController {
        id: archiveController
        useTrQuery: true
        feedRecords: true
        feedFields: lineController.archiveFields
    }
    VideoLineListController {
        id: lineController
    }
    ArchivePlayerController {
        id: playerController
        onSrNewSDP: {
            if (mapParams.streamKey !== archive.streamKey)
                return
            var path = createSDPFile(mapParams)
            if (path !== "")
                video.mrl = "file:///" + path
        }
        onSrPosition: {
            if (mapParams.streamKey !== archive.streamKey)
                return
            archive.positionMs = mapParams.currentPosition
            archive.paused = mapParams.state !== "play"
        }
        onSaPlayVideo: if (mapParams.streamKey === archive.streamKey && mapParams.status === "OK") archive.paused = false
        onSaPauseVideo: if (mapParams.streamKey === archive.streamKey && mapParams.status === "OK") archive.paused = true
        onSaSeekVideo: if (mapParams.streamKey === archive.streamKey) archive.positionMs = mapParams.currentPosition
    }
    Connections {
        target: archiveController
        function onSaInfo(mapParams) {
            var record = mapParams.record
            if (record && record.image)
                picture.source = "data:image/jpeg;base64," + record.image
        }
    }
    // Lines follow the archive and the devices, once per burst of changes.
    Timer {
        id: rebuild
        interval: 30
        onTriggered: archive.buildLines()
    }
    Connections {
        target: archiveController.originalModel
        function onRowsInserted() { rebuild.restart() }
        function onRowsRemoved() { rebuild.restart() }
        function onModelReset() { rebuild.restart() }
        function onDataChanged() { rebuild.restart() }
    }
    Connections {
        target: archive.devices
        function onSaQuery(mapParams) {
            if (mapParams._receiver !== archive.devices.objectNumber)
                return
            var records = mapParams.records || []
            for (var i = 0; i < records.length; ++i)
                archive.devices.originalModel.addRow(records[i])
        }
    }
    Connections {
        target: archive.devices ? archive.devices.originalModel : null
        function onRowsInserted() { rebuild.restart() }
        function onModelReset() { rebuild.restart() }
        function onDataChanged() { rebuild.restart() }
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: LynAppStyle.smallSpacing
        spacing: LynAppStyle.spacing

        ColumnLayout {
            Layout.preferredWidth: 7 * LynAppStyle.calendarCellSize
            Layout.fillHeight: true
            spacing: LynAppStyle.spacing

            LynCalendar {
                objectName: "archiveCalendar"
                Layout.fillWidth: true
                selectedDate: archive.day
                onDatePicked: archive.day = date
            }
            LynLabel {
                text: qsTr("Event")
                visible: picture.status === Image.Ready
                color: LynAppStyle.textSecondaryColor
            }
            Image {
                id: picture
                objectName: "archiveEventPicture"
                Layout.fillWidth: true
                Layout.preferredHeight: width * 9 / 16
                fillMode: Image.PreserveAspectFit
                visible: status === Image.Ready
            }
            Item { Layout.fillHeight: true }
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            ArchiveToolBar {
                id: toolBar
                objectName: "archiveToolBar"
                Layout.fillWidth: true
                hasStream: archive.streamKey !== ""
                paused: archive.paused
                positionText: archive.positionMs >= 0 ? Qt.formatDateTime(new Date(archive.positionMs), "dd.MM.yyyy hh:mm:ss") : ""
                onTogglePause: archive.togglePause()
                onJump: archive.jump(seconds)
                onZoom: timeLines.zoomBy(factor)
                onSpeedPicked: {
                    if (archive.streamKey !== "" && !archive.paused)
                        playerController.trPlayVideo({"streamKey": archive.streamKey, "playBackSpeed": speed})
                }
            }
            VideoItem {
                id: video
                objectName: "archiveVideo"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.minimumHeight: 160
                placeholder: qsTr("Click a time line to play the recording")
            }
            TimeLineBox {
                id: timeLines
                objectName: "archiveTimeLines"
                Layout.fillWidth: true
                Layout.preferredHeight: Math.min(archive.height * 0.45, 2 * LynAppStyle.controlHeight + 16 + Math.max(3, timeLines.linesView.count) * (LynAppStyle.tableRowHeight + 6))
                model: lineController.proxyModel
                currentDevice: archive.playingDevice
                cursorSecond: archive.positionMs >= 0 ? (archive.positionMs - archive.dayStartMs) / 1000 : -1
                onPicked: {
                    archive.forceActiveFocus()
                    archive.showPicture(piece)
                    archive.playAt(deviceId, second)
                }
            }
        }
    }
}
