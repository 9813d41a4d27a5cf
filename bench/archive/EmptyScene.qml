import QtQuick 2.15

// The reference: a scene that changes one small thing every frame.
Rectangle {
    width: 1600
    height: 700
    color: "black"

    Rectangle {
        objectName: "box"
        property real viewStart: 0
        x: viewStart % 100
        width: 10
        height: 10
        color: "white"
    }
}
