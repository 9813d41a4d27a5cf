import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../components"
import "../components/text"
import "../components/toolBar"
import "../misc"

// Playback controls of the archive: play/pause, jumps, speed, and where the stream is.
LynToolBar {
    id: bar

    property bool hasStream: false
    property bool paused: false
    property string positionText: ""
    readonly property real speed: speedBox.currentIndex >= 0 ? speeds[speedBox.currentIndex] : 1
    readonly property var speeds: [0.5, 1, 2, 4, 8]

    signal togglePause()
    signal jump(int seconds)
    signal zoom(real factor)
    signal speedPicked(real speed)

    LynToolButton {
        objectName: "archiveJumpBackButton"
        icon.source: "qrc:/img/player/backward.png"
        text: qsTr("Back 10 seconds")
        enabled: bar.hasStream
        shortcut: "Left"
        onClicked: bar.jump(-10)
    }
    LynToolButton {
        objectName: "archivePlayPauseButton"
        icon.source: bar.paused || !bar.hasStream ? "qrc:/img/player/play.png" : "qrc:/img/player/pause.png"
        text: bar.paused ? qsTr("Play") : qsTr("Pause")
        enabled: bar.hasStream
        shortcut: "Space"
        onClicked: bar.togglePause()
    }
    LynToolButton {
        objectName: "archiveJumpForwardButton"
        icon.source: "qrc:/img/player/forward.png"
        text: qsTr("Forward 10 seconds")
        enabled: bar.hasStream
        shortcut: "Right"
        onClicked: bar.jump(10)
    }
    LynLabel {
        text: qsTr("Speed")
        Layout.leftMargin: LynAppStyle.spacing
    }
    LynComboBox {
        id: speedBox
        objectName: "archiveSpeedBox"
        Layout.preferredWidth: 80
        model: bar.speeds.map(function (s) { return "x" + s })
        currentIndex: 1
        onActivated: bar.speedPicked(bar.speeds[index])
    }
    LynToolButton {
        objectName: "archiveZoomOutToolButton"
        icon.source: "qrc:/img/archive/zoom_out.png"
        text: qsTr("Zoom out")
        shortcut: "-"
        onClicked: bar.zoom(0.5)
    }
    LynToolButton {
        objectName: "archiveZoomInToolButton"
        icon.source: "qrc:/img/archive/zoom_in.png"
        text: qsTr("Zoom in")
        shortcut: "+"
        onClicked: bar.zoom(2)
    }
    LynLabel {
        objectName: "archivePositionLabel"
        Layout.leftMargin: LynAppStyle.spacing
        text: bar.positionText
    }
}
