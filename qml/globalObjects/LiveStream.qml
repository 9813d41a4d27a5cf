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

    // "stopped", "connecting", "live", "noSignal", "offline" or, for a remote
    // camera whose path could not be punched, "unreachable".
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
        case "unreachable": return qsTr("Remote camera unreachable")
        default: return ""
        }
    }
    // Only cameras that a tile shows are decoded; the rest stay open, ready.
    readonly property VlcPlayer player: VlcPlayer { decodeOnlyWhenSeen: true }

    property bool wanted: false
    property double lastLiveMs: 0
    property int retryDelayMs: container ? container.firstRetryMs : 1000
    property int attempts: 0
    // Re-opens since the last picture.
    property int quietReopens: 0
    // When the player was last asked to play or, once it did, began to open;
    // and whether a picture came since.
    property double openedMs: 0
    property bool playerOpened: false
    property bool pictureSinceOpen: false
    // The camera belongs to a remote installation and arrives through punched
    // ports; known once the link is up, so taken at each start.
    property bool remote: false
    readonly property string streamKey: "live_" + rowID
    // Remote channel: "" (none), "opening" (asked for, ports not yet free) or "open".
    property string channel: ""
    property string receiverPath: ""

    function start() {
        remote = NET.isP2PMode()
        wanted = true
        retryDelayMs = container.firstRetryMs
        quietReopens = 0
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
        if (channel !== "")
            closeChannel()
    }

    function open() {
        ++attempts
        if (remote)
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
        playFrom(path)
    }

    function playFrom(path) {
        openedMs = Date.now()
        playerOpened = false
        pictureSinceOpen = false
        player.play(container.mrlOf(path))
    }

    // The punched path stays while the far side sends, so a player that comes
    // back into view only restarts. After a loss of signal the far side may
    // have stopped sending: the channel is asked for anew, which costs a second
    // or two of punching against a long wait for pictures that never come.
    function openP2p() {
        if (channel === "open" && quietReopens > 0) {
            player.stop()
            closeChannel()
        }
        if (channel === "open")
            playFrom(receiverPath)
        else if (channel === "")
            openChannel()
    }

    function openChannel() {
        channel = "opening"
        receiverPath = ""
        container.deviceController.trInitP2PChannel({ rowID: rowID, streamKey: streamKey })
        container.peersManager.expectRemoteStream(streamKey)
    }

    function closeChannel() {
        channel = ""
        receiverPath = ""
        container.deviceController.trInitP2PChannel({ rowID: rowID, streamKey: streamKey, stop: true })
        container.peersManager.releaseRemoteStream(streamKey)
    }

    // After "Remote camera unreachable": the same request again, on fresh peers.
    function retry() {
        if (!wanted || !remote)
            return
        closeChannel()
        status = "connecting"
        lastLiveMs = Date.now()
        openChannel()
    }

    function peerOf(portType) {
        return container.peersManager.peerByStreamKeyAndPortType(streamKey, portType)
    }

    function onPeerEstablished(socketId) {
        if (channel !== "opening" || socketId === "" || socketId !== peerOf("rtp"))
            return
        // The player binds the RTP port and the RTCP port after it: both peers let theirs go.
        var pm = container.peersManager
        pm.disconnectFromHost(peerOf("rtp"), { streamKey: streamKey })
        pm.disconnectFromHost(peerOf("rtcp"), { streamKey: streamKey })
    }

    function onPeerReleased(socketId) {
        if (channel !== "opening" || socketId === "" || (socketId !== peerOf("rtp") && socketId !== peerOf("rtcp")))
            return
        var pm = container.peersManager
        var rtp = pm.peer(peerOf("rtp"))
        var rtcp = pm.peer(peerOf("rtcp"))
        // Either release may find both done; the player starts once.
        var released = 5
        if (rtp.socketConnectionMode !== released || rtcp.socketConnectionMode !== released)
            return
        var path = pm.createFfmpegReceiverSDPFile({ streamKey: streamKey, ip: rtp.yourLocalIp, rtpPort: rtp.yourLocalPort })
        if (path === "") {
            console.warn("No receiver description for device " + rowID)
            return
        }
        receiverPath = path
        channel = "open"
        if (wanted)
            playFrom(path)
    }

    function onUnreachable(mapParams) {
        if (mapParams.streamKey !== streamKey || channel === "")
            return
        // The peers are gone already; the far side gives up by itself.
        channel = ""
        receiverPath = ""
        retryTimer.stop()
        player.stop()
        if (wanted)
            status = "unreachable"
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
        if (!wanted || status === "unreachable")
            return
        var now = Date.now()
        // Punching the path is part of connecting, not a loss of signal.
        if (remote && channel !== "open") {
            lastLiveMs = now
            return
        }
        // Nobody looks at this stream, so no pictures are decoded: nothing is wrong.
        if (!player.decoding)
            return
        if (player.frameRate > 0 && !player.stalled && player.frameAge < 2000) {
            status = "live"
            lastLiveMs = now
            silentSeconds = 0
            retryDelayMs = container.firstRetryMs
            quietReopens = 0
            pictureSinceOpen = true
            retryTimer.stop()
            return
        }
        var failed = player.state === VlcPlayer.Error || player.state === VlcPlayer.Ended
        // An open gets its time for the first picture: re-opening would only start the wait anew.
        var opening = !pictureSinceOpen && !failed
                      && now - openedMs < (playerOpened ? container.firstPictureMs : container.playerBusyMs)
        if (player.state === VlcPlayer.Error || (status === "offline" && player.state !== VlcPlayer.Playing))
            status = "offline"
        else if ((player.stalled && !opening) || player.state === VlcPlayer.Ended || status === "noSignal")
            status = "noSignal"
        silentSeconds = Math.floor(Math.max(player.frameAge, now - lastLiveMs) / 1000)
        if ((status === "noSignal" || status === "offline") && !opening && !retryTimer.running)
            retryTimer.start()
    }

    onSdpChanged: if (wanted) open()
    // One line per change: a tile that never turns live can be followed in the log.
    onStatusChanged: console.info("Stream of device " + rowID + ": " + status + " (attempt " + attempts + ")")
    onChannelChanged: console.info("Stream of device " + rowID + ": remote channel " + (channel || "closed"))

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
            ++live.quietReopens
            live.open()
        }
    }

    property Connections playerConnections: Connections {
        target: live.player
        // Unseen, it shows nothing; seen again, it is live once new pictures come.
        function onDecodingChanged() {
            if (!live.wanted)
                return
            if (live.status === "live")
                live.status = "connecting"
            live.lastLiveMs = Date.now()
        }
        // The wait for the first picture starts when the player really opens: before
        // that its worker may spend seconds stopping the dead stream it had, and
        // asking again would only queue another such stop.
        function onMediaPlayerOpening() {
            if (live.pictureSinceOpen || live.playerOpened)
                return
            live.playerOpened = true
            live.openedMs = Date.now()
        }
    }

    property Timer detectionTimer: Timer {
        interval: live.container ? live.container.detectionHoldMs : 1500
        onTriggered: live.detections = []
    }

    property Connections peers: Connections {
        target: live.container && live.remote ? live.container.peersManager : null
        function onConnectionEstablished(mapParams) { live.onPeerEstablished(mapParams.yourSocketId || "") }
        function onReleasedFromHost(mapParams) { live.onPeerReleased(mapParams.socketId || "") }
        function onRemoteStreamUnreachable(mapParams) { live.onUnreachable(mapParams) }
    }
}
