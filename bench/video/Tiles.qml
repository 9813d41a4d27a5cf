import QtQuick 2.15
import QmlVlc 0.1

// One player and one surface per stream, in a grid.
Rectangle {
    color: "black"
    width: columns * tileWidth
    height: Math.ceil(mrls.length / columns) * tileHeight

    Grid {
        columns: parent.width / tileWidth
        Repeater {
            model: mrls
            Item {
                width: tileWidth
                height: tileHeight
                VlcPlayer {
                    id: player
                    objectName: "player"
                    mrl: modelData
                }
                VlcVideoSurface {
                    anchors.fill: parent
                    visible: drawn
                    source: player
                }
            }
        }
    }
}
