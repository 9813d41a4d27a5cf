import QtQuick 2.15
import "../../components"
import "../../misc"

// A tile taken out of the grid into its own window; closing it puts it back.
LynFrameWindow {
    id: window

    property int rowID: -1
    property QtObject stream: null
    property bool attaching: false

    signal attachRequested()

    objectName: "detachedTile_" + rowID
    width: 640
    height: 400

    onClosing: function(close) {
        if (attaching)
            return
        attaching = true
        attachRequested()
    }

    LynMediaPlayer {
        objectName: window.objectName + "Player"
        anchors.fill: parent
        source: window.stream ? window.stream.player : null
        statusText: window.stream ? window.stream.statusText : qsTr("Offline")
        frozen: window.stream !== null && window.stream.status === "noSignal"
        detections: window.stream ? window.stream.detections : []
    }
}
