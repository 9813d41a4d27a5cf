import QtQuick 2.15

// Nothing but the window's clear colour: what a frame of this size costs to swap.
Item {
    Item {
        objectName: "box"
        property real viewStart: 0
        property real pixelPerSecond: minPixelPerSecond
        readonly property real linesWidth: parent.width
        readonly property real minPixelPerSecond: linesWidth / 86400
        readonly property real visibleSeconds: linesWidth / pixelPerSecond
        function zoomAt(newPixelPerSecond, x) { pixelPerSecond = newPixelPerSecond }
    }
}
