import QtQuick 2.15
import QmlVlc 0.1
import "../../components/text"
import "../../misc"

// Live picture of a device from the SDP file of its record.
Rectangle {
    id: panel

    // "file:///…sdp", or "" when the device has no stream.
    property string location: ""
    readonly property bool playing: player.state === VlcPlayer.Playing
    // A decoded picture has reached the surface.
    readonly property bool showingPicture: playing && player.frameSize.width > 0

    function stop() {
        player.stop()
    }

    color: LynAppStyle.headerColor
    border.color: LynAppStyle.borderColor
    radius: LynAppStyle.radius
    implicitHeight: width * 9 / 16

    onLocationChanged: {
        if (location === "")
            player.stop()
        else
            player.play(location)
    }
    Component.onDestruction: player.stop()

    VlcPlayer {
        id: player
    }
    VlcVideoSurface {
        objectName: "cameraPreviewSurface"
        anchors.fill: parent
        anchors.margins: LynAppStyle.borderWidth
        source: player
    }
    LynLabel {
        objectName: "cameraPreviewState"
        anchors.centerIn: parent
        visible: !panel.showingPicture
        color: LynAppStyle.textSecondaryColor
        text: panel.location === "" ? qsTr("No live picture") : qsTr("Connecting…")
    }
}
