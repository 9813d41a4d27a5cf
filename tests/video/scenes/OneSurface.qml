import QtQuick 2.15
import QmlVlc 0.1

// One live player shown at the stream's size; the surface can be hidden.
Rectangle {
    width: streamWidth
    height: streamHeight
    color: "#ff00ff"

    VlcPlayer {
        id: player
        objectName: "player"
        mrl: sdpMrl
    }
    VlcVideoSurface {
        objectName: "surface"
        anchors.fill: parent
        source: player
    }
}
