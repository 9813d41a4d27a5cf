import QtQuick 2.15
import "../../components"
import "../../components/toolBar"

// Add, edit, delete and refresh for the device table, plus the camera search
// and the device passwords.
LynTableToolBar {
    id: bar

    signal searchClicked()
    signal passwordsClicked()
    signal columnsClicked(var button)

    LynToolButton {
        objectName: bar.objectName + "SearchButton"
        text: qsTr("Search devices")
        icon.source: "qrc:/img/buttons/search.png"
        onClicked: bar.searchClicked()
    }
    LynToolButton {
        objectName: bar.objectName + "PasswordsButton"
        text: qsTr("Device passwords")
        icon.source: "qrc:/img/buttons/key.png"
        onClicked: bar.passwordsClicked()
    }
    LynToolButton {
        id: columnsButton
        objectName: bar.objectName + "ColumnsButton"
        text: qsTr("Columns")
        icon.source: "qrc:/img/buttons/filter.png"
        onClicked: bar.columnsClicked(columnsButton)
    }
}
