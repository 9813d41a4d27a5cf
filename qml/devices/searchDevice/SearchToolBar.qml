import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components/buttons"
import "../../components/text"
import "../../components/toolBar"
import "../../misc"

// Start, stop and save of the camera search, with how far it has come.
LynToolBar {
    id: bar

    property int searchState: Enums.SearchState.DEFAULT
    property int progress: 0
    property int checkedCount: 0

    signal backClicked()
    signal searchClicked()
    signal stopClicked()
    signal saveClicked()

    readonly property string stateText: [qsTr("Not searched yet"), qsTr("Searching…"), qsTr("Search finished"),
                                         qsTr("Stopping…"), qsTr("Search stopped")][searchState]

    LynToolButton {
        objectName: "searchBackButton"
        text: qsTr("Back to devices")
        icon.source: "qrc:/img/buttons/close.png"
        onClicked: bar.backClicked()
    }
    LynButton {
        objectName: "searchStartButton"
        text: qsTr("Search")
        icon.source: "qrc:/img/buttons/search.png"
        enabled: bar.searchState !== Enums.SearchState.SEARCHING && bar.searchState !== Enums.SearchState.STOPPING
        onClicked: bar.searchClicked()
    }
    LynButton {
        objectName: "searchStopButton"
        text: qsTr("Stop")
        icon.source: "qrc:/img/buttons/cancel.png"
        enabled: bar.searchState === Enums.SearchState.SEARCHING
        onClicked: bar.stopClicked()
    }
    LynButton {
        objectName: "searchSaveButton"
        text: qsTr("Save")
        accent: true
        enabled: bar.checkedCount > 0 && bar.searchState !== Enums.SearchState.SEARCHING
        onClicked: bar.saveClicked()
    }
    Item { Layout.fillWidth: true }
    ProgressBar {
        Layout.preferredWidth: 160
        visible: bar.searchState === Enums.SearchState.SEARCHING
        from: 0
        to: 100
        value: bar.progress
    }
    LynLabel {
        objectName: "searchStateLabel"
        text: bar.stateText
        color: LynAppStyle.textSecondaryColor
    }
}
