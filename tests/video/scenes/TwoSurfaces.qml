import QtQuick 2.15
import QmlVlc 0.1

// One live player shown by two surfaces side by side, each at the stream's size.
Rectangle {
    width: 1280
    height: 360
    color: "#ff00ff"

    VlcPlayer {
        id: player
        objectName: "player"
        mrl: sdpMrl
    }
    Row {
        VlcVideoSurface {
            objectName: "left"
            width: 640
            height: 360
            source: player
        }
        VlcVideoSurface {
            objectName: "right"
            width: 640
            height: 360
            source: player
        }
    }
}
