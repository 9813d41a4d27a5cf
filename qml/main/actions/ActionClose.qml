import QtQuick 2.15
import QtQuick.Controls 2.15
import LYN 1.0

// Closing the window: the local server is told before the client ends. Over P2P the
// server is someone else's, so only this client's connection is closed.
Action {
    id: action

    property AppController appController: AppController {}

    text: qsTr("Exit")
    shortcut: "Ctrl+Q"

    function shutdown() {
        if (NET.isP2PMode())
            appController.trCloseConnection({})
        else
            appController.trShutdownServer({})
    }
}
