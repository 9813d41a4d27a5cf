import QtQuick 2.15
import P2P 1.0

// What the screens share for the life of the window.
QtObject {
    // The one peers manager controller: it answers the P2P server's open-port
    // requests, so remote streams can start while any screen is shown.
    readonly property PeersManagerController peersManager: PeersManagerController {}
}
