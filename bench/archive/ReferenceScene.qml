import QtQuick 2.15

// The reference: one small item moves every frame over a plain background.
Rectangle {
    color: "black"

    Rectangle {
        id: box
        objectName: "box"
        // The time box's interface, so that the same steps drive it.
        property real viewStart: 0
        property real pixelPerSecond: minPixelPerSecond
        readonly property real linesWidth: parent.width
        readonly property real minPixelPerSecond: linesWidth / 86400
        readonly property real visibleSeconds: linesWidth / pixelPerSecond
        function zoomAt(newPixelPerSecond, x) { pixelPerSecond = newPixelPerSecond }

        x: (viewStart + pixelPerSecond * 100) % 100
        width: 10
        height: 10
        color: "white"
    }
}
