import QtQuick 2.15
import "text"
import "../misc"

// Time passed since `startTime`, updated every second while running.
LynLabel {
    id: label

    property date startTime: new Date()
    property bool running: true
    property int elapsedSeconds: 0

    function refresh() {
        elapsedSeconds = Math.floor((Date.now() - startTime.getTime()) / 1000)
    }

    text: Utils.formatDuration(elapsedSeconds)
    onStartTimeChanged: refresh()

    Timer {
        interval: 1000
        repeat: true
        running: label.running && label.visible
        triggeredOnStart: true
        onTriggered: label.refresh()
    }
}
