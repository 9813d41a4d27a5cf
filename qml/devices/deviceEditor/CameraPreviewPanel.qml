import QtQuick 2.15
import QmlVlc 0.1
import "../../components/text"
import "../../misc"

// Live picture of a device. The server sends a device's RTP to one port, so
// the preview shows the window's own stream of the device instead of
// opening a second receiver that could never bind that port.
Rectangle {
    id: panel

    // The device's LiveStream, or null (a device not saved yet).
    property QtObject stream: null
    readonly property bool showingPicture: stream !== null && stream.status === "live"
                                           && stream.player.frameSize.width > 0

    color: LynAppStyle.headerColor
    border.color: LynAppStyle.borderColor
    radius: LynAppStyle.radius
    implicitHeight: width * 9 / 16

    VlcVideoSurface {
        objectName: "cameraPreviewSurface"
        anchors.fill: parent
        anchors.margins: LynAppStyle.borderWidth
        source: panel.stream ? panel.stream.player : null
        // Shown whenever there is a stream: the player decodes only for a surface that can be seen.
        visible: panel.stream !== null
    }
    LynLabel {
        objectName: "cameraPreviewState"
        anchors.centerIn: parent
        visible: !panel.showingPicture
        color: LynAppStyle.textSecondaryColor
        text: panel.stream === null ? qsTr("No live picture")
                                    : (panel.stream.statusText !== "" ? panel.stream.statusText : qsTr("Connecting…"))
    }
}
