import QtQuick 2.15
import QmlVlc 0.1

// The live stream of one device: its player, what the viewer should be told
// about it, re-opening after a loss with growing delays, and the last boxes
// its detector reported.
QtObject {
    id: live

    property QtObject container
    property int rowID: -1
    property string sdp: ""
    property string fileSdp: ""
    property string deviceName: ""

    // "stopped", "connecting", "live", "noSignal" or "offline".
    property string status: "stopped"
    // Seconds since the last picture while there is no signal.
    property int silentSeconds: 0
    property var detections: []
    // What a tile writes over the picture; empty while live.
    readonly property string statusText: {
        switch (status) {
        case "connecting": return qsTr("Connecting…")
        case "noSignal": return qsTr("No signal for %1 s").arg(silentSeconds)
        case "offline": return qsTr("Offline")
        case "stopped": return qsTr("Stopped")
        default: return ""
        }
    }
    readonly property VlcPlayer player: VlcPlayer {}

    property bool wanted: false
    property double lastLiveMs: 0
    property int retryDelayMs: container ? container.firstRetryMs : 1000
    property int attempts: 0
    // P2P branch: the stream key the remote side opens ports for, and the receiver file once written.
    readonly property string streamKey: "live_" + rowID
    property string receiverPath: ""

    function start() {
        wanted = true
        retryDelayMs = container.firstRetryMs
        lastLiveMs = Date.now()
        status = "connecting"
        open()
    }

    function stop() {
        wanted = false
        retryTimer.stop()
        player.stop()
        status = "stopped"
        detections = []
    }

    function open() {
        ++attempts
        if (NET.isP2PMode())
            openP2p()
        else
            openDirect()
    }

    function openDirect() {
        var path = sdp.trim() !== "" ? container.deviceController.createSDPFile({ rowID: rowID, sdp: sdp }) : fileSdp
        if (path === "") {
            // The server offers no stream for this device.
            player.stop()
            status = "offline"
            return
        }
        player.play(container.mrlOf(path))
    }

    function openP2p() {
        if (receiverPath !== "") {
            player.play(container.mrlOf(receiverPath))
            return
        }
        container.deviceController.trInitP2PChannel({ rowID: rowID, rstIDDevice: rowID, streamKey: streamKey })
    }

    function isOwnPeer(socketId) {
        var pm = container.peersManager
        return socketId !== "" && (socketId === pm.peerByStreamKeyAndPortType(streamKey, "rtp")
                                   || socketId === pm.peerByStreamKeyAndPortType(streamKey, "rtcp"))
    }

    function onPortReleased(mapParams) {
        if (mapParams.streamKey !== streamKey || mapParams.portType !== "rtp")
            return
        var peer = container.peersManager.peer(mapParams.yourSocketId)
        var path = container.peersManager.createFfmpegReceiverSDPFile({
            streamKey: streamKey, ip: peer.yourLocalIp, rtpPort: peer.yourLocalPort })
        if (path === "") {
            console.warn("No receiver description for device " + rowID)
            return
        }
        receiverPath = path
        if (wanted)
            player.play(container.mrlOf(path))
    }

    function showDetections(boxes) {
        if (!wanted)
            return
        detections = boxes
        detectionTimer.restart()
    }

    // Frames arriving is what counts as live; libvlc's own state lags and a
    // live source that ends or goes quiet is a loss of signal, not a failure.
    function evaluate() {
        if (!wanted)
            return
        var now = Date.now()
        if (player.frameRate > 0 && !player.stalled && player.frameAge < 2000) {
            status = "live"
            lastLiveMs = now
            silentSeconds = 0
            retryDelayMs = container.firstRetryMs
            retryTimer.stop()
            return
        }
        // Nobody looks at this stream, so no pictures are decoded: nothing is wrong.
        if (!player.decoding)
            return
        if (player.state === VlcPlayer.Error || (status === "offline" && player.state !== VlcPlayer.Playing))
            status = "offline"
        else if (player.stalled || player.state === VlcPlayer.Ended || status === "noSignal")
            status = "noSignal"
        silentSeconds = Math.floor(Math.max(player.frameAge, now - lastLiveMs) / 1000)
        if ((status === "noSignal" || status === "offline") && !retryTimer.running)
            retryTimer.start()
    }

    onSdpChanged: if (wanted) open()

    property Timer healthTimer: Timer {
        interval: 250
        repeat: true
        running: live.wanted
        onTriggered: live.evaluate()
    }

    property Timer retryTimer: Timer {
        interval: live.retryDelayMs
        onTriggered: {
            live.retryDelayMs = Math.min(live.retryDelayMs * 2, live.container.lastRetryMs)
            live.open()
        }
    }

    // Pictures queued while nobody looked are old news on a live view: start afresh.
    property Connections playerConnections: Connections {
        target: live.player
        function onDecodingChanged() {
            if (live.player.decoding && live.wanted)
                live.open()
        }
    }

    property Timer detectionTimer: Timer {
        interval: live.container ? live.container.detectionHoldMs : 1500
        onTriggered: live.detections = []
    }

    property Connections peers: Connections {
        target: live.container ? live.container.peersManager : null
        function onConnectionEstablished(mapParams) {
            var id = mapParams.yourSocketId || ""
            if (!live.isOwnPeer(id))
                return
            var pm = live.container.peersManager
            var portType = id === pm.peerByStreamKeyAndPortType(live.streamKey, "rtp") ? "rtp" : "rtcp"
            // The player must bind the punched port itself.
            pm.disconnectFromHost(id, { streamKey: live.streamKey, portType: portType, yourSocketId: id })
        }
        function onReleasedFromHost(mapParams) { live.onPortReleased(mapParams) }
    }
}
