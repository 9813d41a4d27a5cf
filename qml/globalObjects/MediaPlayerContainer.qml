import QtQuick 2.15
import QtQml.Models 2.15
import QmlVlc 0.1

// One live player per device for the life of the window, so tiles can come
// and go (and other tabs be shown) while the streams keep playing.
QtObject {
    id: playerContainer

    property QtObject deviceController
    property QtObject peersManager
    // playAll was asked for and stopAll not since.
    property bool playing: false
    // rowID -> LiveStream object; replaced as a whole so bindings follow.
    property var streams: ({})

    // Re-open delays after a loss of signal, doubled per failed attempt.
    readonly property int firstRetryMs: 1000
    readonly property int lastRetryMs: 30000
    // A stream being opened gets this long for its first picture: on a busy
    // computer, or through punched ports, it can take longer than a live
    // stream may stay quiet, and re-opening it would only start the wait anew.
    readonly property int firstPictureMs: 10000
    // Stopping a dead stream can keep a player's worker busy for many seconds
    // before it opens the next one; that wait is bounded by this.
    readonly property int playerBusyMs: 30000
    // Boxes stay this long after the last detection of their device.
    readonly property int detectionHoldMs: 1500
    readonly property int maxDetections: 64

    function stream(rowID) {
        return streams[rowID] || null
    }

    function playAll() {
        playing = true
        for (var id in streams)
            streams[id].start()
    }

    function stopAll() {
        playing = false
        for (var id in streams)
            streams[id].stop()
    }

    // "file:///" + path, also for paths that already start with a slash.
    function mrlOf(path) {
        return "file:///" + String(path).replace(/^\/+/, "")
    }

    // Detections come from the network: keep well-formed boxes only.
    function validDetections(mapParams) {
        var rects = mapParams.rects
        if (!Array.isArray(rects) || rects.length > maxDetections)
            return null
        var boxes = []
        for (var i = 0; i < rects.length; ++i) {
            var r = rects[i]
            if (!r || typeof r.label !== "string" || r.label.length > 64)
                return null
            var values = [r.x, r.y, r.width, r.height, r.probability]
            for (var v = 0; v < values.length; ++v) {
                if (typeof values[v] !== "number" || !isFinite(values[v]) || values[v] < 0 || values[v] > 1)
                    return null
            }
            boxes.push({ x: r.x, y: r.y, width: Math.min(r.width, 1 - r.x), height: Math.min(r.height, 1 - r.y),
                         label: r.label, probability: r.probability })
        }
        return boxes
    }

    function onDetections(mapParams) {
        var target = typeof mapParams.rstIDDevice === "number" ? stream(mapParams.rstIDDevice) : null
        var boxes = target ? validDetections(mapParams) : null
        if (boxes === null) {
            console.warn("Dropped a detection message that names no known device or has malformed boxes")
            return
        }
        target.showDetections(boxes)
    }

    // A container made after the shared device table was loaded starts at once.
    Component.onCompleted: {
        if (deviceController && deviceController.originalModel.dataAtLeastLoaded)
            playAll()
    }

    property Connections deviceConnections: Connections {
        target: playerContainer.deviceController
        function onSrRectText(mapParams) { playerContainer.onDetections(mapParams) }
        function onSrRectTextSub(mapParams) { playerContainer.onDetections(mapParams) }
        function onDataAtLeastLoadedChanged(loaded) {
            if (loaded && !playerContainer.playing)
                playerContainer.playAll()
        }
    }

    // In P2P mode the local server is reached through the relay, which is up once
    // logged in to the P2P server; the direct link never connects to tell so.
    property Connections p2pConnections: Connections {
        target: NETP2P
        function onConnectionState(isConnected) {
            if (isConnected && NET.isP2PMode() && playerContainer.deviceController)
                playerContainer.deviceController.trQuery()
        }
    }

    property Instantiator instantiator: Instantiator {
        model: playerContainer.deviceController ? playerContainer.deviceController.originalModel : null

        delegate: LiveStream {
            container: playerContainer
            rowID: model.rowID
            sdp: model.sdp || ""
            fileSdp: model.fileSdp || ""
            deviceName: model.deviceName || ""
        }

        onObjectAdded: function(index, object) {
            var copy = Object.assign({}, playerContainer.streams)
            copy[object.rowID] = object
            playerContainer.streams = copy
            if (playerContainer.playing)
                object.start()
        }
        onObjectRemoved: function(index, object) {
            object.stop()
            var copy = Object.assign({}, playerContainer.streams)
            delete copy[object.rowID]
            playerContainer.streams = copy
        }
    }
}
