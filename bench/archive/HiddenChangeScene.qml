import QtQuick 2.15

// At rest but for an item that changes 25 times a second, as a video tile
// does with each frame; its page shown or hidden as by another tab.
Rectangle {
    color: "black"

    property alias changing: timer.running
    property alias pageShown: page.visible
    property bool flip: false

    Item {
        id: page
        visible: false
        Rectangle {
            id: tile
            width: 320
            height: 180
            color: "red"
        }
    }
    Timer {
        id: timer
        interval: 40
        repeat: true
        onTriggered: {
            flip = !flip
            tile.color = flip ? "green" : "red"
        }
    }
}
