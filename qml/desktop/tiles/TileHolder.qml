import QtQuick 2.15
import "../../components/dragAndDrop"
import "../../misc"

// One cell of the grid: takes dropped tiles and shows the device placed here, if any.
Item {
    id: holder

    property int tileIndex: 0
    property var record: null
    property QtObject stream: null
    property bool detached: false

    signal swapRequested(int from)
    signal detachRequested()
    signal attachRequested()

    Rectangle {
        anchors.fill: parent
        color: LynAppStyle.panelColor
        border.color: LynAppStyle.tileBorderColor

        Image {
            anchors.centerIn: parent
            width: Math.min(parent.width, parent.height) / 3
            height: width
            visible: holder.record === null
            source: "qrc:/img/tiles/add_cam_on.png"
            sourceSize: Qt.size(96, 96)
            opacity: 0.35
        }
    }

    Tile {
        id: tile
        objectName: holder.objectName + "Content"
        anchors.fill: parent
        visible: holder.record !== null
        dragEnabled: holder.record !== null
        dragKey: "tile"
        dragData: ({ tileIndex: holder.tileIndex })
        record: holder.record
        stream: holder.stream
        detached: holder.detached
        onDetachRequested: holder.detachRequested()
        onAttachRequested: holder.attachRequested()
    }

    LynDrop {
        anchors.fill: parent
        keys: ["tile"]
        swap: holder.record !== null
        canAccept: function(source) { return source !== tile.dragSource }
        onDroppedData: function(data) { holder.swapRequested(data.tileIndex) }
    }
}
