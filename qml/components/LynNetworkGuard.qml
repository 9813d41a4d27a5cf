import QtQuick 2.15
import "../misc"

// Runs a request only while the server link is up; otherwise tells the user.
// Screens also use it for their other error messages.
LynDialog {
    id: guard

    property bool connected: true

    function showLost() {
        show(Enums.DialogType.ALERT, qsTr("Network error"), qsTr("Connection is lost. Try again later..."))
    }

    function run(action) {
        if (!connected) {
            showLost()
            return false
        }
        action()
        return true
    }
}
