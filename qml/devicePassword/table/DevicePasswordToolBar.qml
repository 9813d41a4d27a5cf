import QtQuick 2.15
import "../../components"
import "../../components/toolBar"

// Add, edit and delete of login/password pairs, and the way back to the devices.
LynTableToolBar {
    id: bar

    signal backClicked()

    LynToolButton {
        objectName: bar.objectName + "BackButton"
        text: qsTr("Back to devices")
        icon.source: "qrc:/img/buttons/close.png"
        onClicked: bar.backClicked()
    }
}
