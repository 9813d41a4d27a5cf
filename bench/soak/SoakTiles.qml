import QtQuick 2.15
import QmlVlc 0.1

// Sixteen live tiles, four across, each its own player on one device's stream.
Rectangle {
    color: "black"
    width: 4 * 320
    height: Math.ceil(mrls.length / 4) * 180

    Grid {
        columns: 4
        Repeater {
            model: mrls
            Item {
                width: 320
                height: 180
                VlcPlayer {
                    id: player
                    objectName: "player"
                    mrl: modelData
                }
                VlcVideoSurface {
                    anchors.fill: parent
                    source: player
                }
            }
        }
    }
}
