import QtQuick 2.15
import LYN 1.0
import P2P 1.0

// What the screens share for the life of the window.
QtObject {
    // The device table every screen shows; tiles, editors and the archive read its model.
    readonly property DeviceController deviceController: DeviceController {}

    // The one peers manager controller: it answers the P2P server's open-port
    // requests, so remote streams can start while any screen is shown.
    readonly property PeersManagerController peersManager: PeersManagerController {}
}
