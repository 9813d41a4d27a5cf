import QtQuick 2.15
import QtQuick.Layouts 1.15
import "toolBar"
import "text"
import "../misc"

// Add, edit, delete and refresh for a table, with its search field.
LynToolBar {
    id: bar

    property bool addVisible: true
    property bool editVisible: true
    property bool deleteVisible: true
    property bool filterVisible: true
    property bool hasSelection: false
    property alias filterField: filter
    // Extra buttons of a screen go after the standard ones.
    default property alias extra: extraRow.data

    signal addClicked()
    signal editClicked()
    signal deleteClicked()
    signal refreshClicked()
    signal filterChanged(string pattern)

    LynToolButton {
        objectName: bar.objectName + "AddButton"
        visible: bar.addVisible
        text: qsTr("Add")
        icon.source: "qrc:/img/buttons/add.png"
        shortcut: StandardKey.New
        onClicked: bar.addClicked()
    }
    LynToolButton {
        objectName: bar.objectName + "EditButton"
        visible: bar.editVisible
        enabled: bar.hasSelection
        text: qsTr("Edit")
        icon.source: "qrc:/img/buttons/edit.png"
        onClicked: bar.editClicked()
    }
    LynToolButton {
        objectName: bar.objectName + "DeleteButton"
        visible: bar.deleteVisible
        enabled: bar.hasSelection
        text: qsTr("Delete")
        icon.source: "qrc:/img/buttons/delete.png"
        onClicked: bar.deleteClicked()
    }
    LynToolButton {
        objectName: bar.objectName + "RefreshButton"
        text: qsTr("Refresh")
        icon.source: "qrc:/img/buttons/refresh.png"
        shortcut: StandardKey.Refresh
        onClicked: bar.refreshClicked()
    }
    Row {
        id: extraRow
        spacing: LynAppStyle.smallSpacing
    }
    Item { Layout.fillWidth: true }
    LynFilterTextField {
        id: filter
        objectName: bar.objectName + "Filter"
        visible: bar.filterVisible
        Layout.preferredWidth: 220
        onFilterChanged: function(pattern) { bar.filterChanged(pattern) }

        Shortcut {
            sequence: StandardKey.Find
            enabled: filter.visible
            onActivated: filter.forceActiveFocus()
        }
    }
}
