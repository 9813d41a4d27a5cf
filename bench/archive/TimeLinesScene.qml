import QtQuick 2.15
import "qrc:/qml/archive"

// The archive's time lines alone, on the lines the bench built, over the
// window's clear colour as in the application.
Item {
    TimeLineBox {
        objectName: "box"
        anchors.fill: parent
        model: benchLines
    }
}
