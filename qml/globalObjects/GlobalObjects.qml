import QtQuick 2.15
import LYN 1.0
import P2P 1.0

// What the screens share for the life of the window.
QtObject {
    id: globalObjects

    // The device table every screen shows; tiles, editors and the archive read its model.
    readonly property DeviceController deviceController: DeviceController {
        useTrQuery: true
        // Answers are merged into the shared model while the signal is handled.
        onSaQuery: function(mapParams) {
            if (String(mapParams._receiver) !== objectNumber || !Array.isArray(mapParams.records))
                return
            for (var i = 0; i < mapParams.records.length; ++i)
                originalModel.addRow(mapParams.records[i])
        }
    }

    // The one peers manager controller: it answers the P2P server's open-port
    // requests, so remote streams can start while any screen is shown.
    readonly property PeersManagerController peersManager: PeersManagerController {}

    // One live player per device; tiles only show them.
    readonly property MediaPlayerContainer mediaPlayerContainer: MediaPlayerContainer {
        deviceController: globalObjects.deviceController
        peersManager: globalObjects.peersManager
    }

    readonly property Keyboard keyboard: Keyboard {}
    readonly property Mouse mouse: Mouse {}

    // A window loaded over a live link hears no new connection: ask at once as well.
    Component.onCompleted: deviceController.trQuery()

    // The device list is asked for on every (re)connection; the merge keeps players in place.
    property Connections netConnections: Connections {
        target: NET
        function onConnectionState(isConnected) {
            if (isConnected)
                globalObjects.deviceController.trQuery()
        }
    }
}
