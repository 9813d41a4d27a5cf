import QtQuick 2.15
import "qrc:/qml/archive"

// The archive's time lines alone, on the lines the bench built.
Rectangle {
    color: "black"

    TimeLineBox {
        objectName: "box"
        anchors.fill: parent
        model: benchLines
    }
}
