import QtQuick 2.15
import QmlVlc 0.1
import "../components/text"
import "../misc"

// One archive stream on screen: the player and its surface.
Rectangle {
    id: videoItem

    // "file:///" + path of the stream's SDP file; empty shows nothing.
    property string mrl: ""
    property string placeholder: ""
    readonly property alias player: player
    readonly property bool showing: player.state === VlcPlayer.Playing

    function stop() {
        mrl = ""
    }

    color: LynAppStyle.headerColor
    onMrlChanged: {
        if (mrl === "")
            player.stop()
        else
            player.play(mrl)
    }
    Component.onDestruction: player.stop()

    VlcPlayer {
        id: player
    }
    VlcVideoSurface {
        objectName: "archiveVideoSurface"
        anchors.fill: parent
        source: player
        visible: videoItem.mrl !== ""
    }
    LynLabel {
        anchors.centerIn: parent
        visible: videoItem.mrl === ""
        text: videoItem.placeholder
        color: LynAppStyle.textDisabledColor
    }
}
