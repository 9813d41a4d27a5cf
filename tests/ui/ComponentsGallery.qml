import QtQuick 2.15
import QtQuick.Layouts 1.15
import "qrc:/qml/components"
import "qrc:/qml/components/buttons"
import "qrc:/qml/components/calendar"
import "qrc:/qml/components/dragAndDrop"
import "qrc:/qml/components/table"
import "qrc:/qml/components/table/tableViewColumns"
import "qrc:/qml/components/text"
import "qrc:/qml/components/toolBar"
import "qrc:/qml/misc"

// The component library on plain ListModels; the test acts on it and reads the results here.
LynFrameWindow {
    id: gallery

    property var pickedDate: null
    property string dialogResult: ""
    property var droppedData: null
    property var removedIds: []
    property string lastSort: ""
    property var savedParams: null
    // What the stand-in controller answers to the next save.
    property string replyStatus: "ERROR"

    objectName: "gallery"
    title: qsTr("Components")
    width: 1420
    height: 700
    visible: true

    // Sorting belongs to the model (the proxy in the application); here the list sorts itself.
    function sortModel(role, order) {
        for (var i = 1; i < devices.count; ++i) {
            var j = i
            while (j > 0) {
                var a = devices.get(j - 1)[role]
                var b = devices.get(j)[role]
                if (order === Qt.AscendingOrder ? a <= b : a >= b)
                    break
                devices.move(j, j - 1, 1)
                --j
            }
        }
    }

    function removeRows(ids) {
        for (var i = devices.count - 1; i >= 0; --i) {
            if (ids.indexOf(devices.get(i).rowID) >= 0)
                devices.remove(i)
        }
    }

    ListModel {
        id: devices
        ListElement { rowID: 3; deviceName: "Garage"; sourceAddress: "192.168.1.30"; online: true; dtInsert: 1700000000000 }
        ListElement { rowID: 1; deviceName: "Entrance"; sourceAddress: "192.168.1.10"; online: false; dtInsert: 1700100000000 }
        ListElement { rowID: 4; deviceName: "Yard"; sourceAddress: "192.168.1.40"; online: true; dtInsert: 1700200000000 }
        ListElement { rowID: 2; deviceName: "Backdoor"; sourceAddress: "192.168.1.20"; online: false; dtInsert: 1700300000000 }
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: LynAppStyle.margin
        spacing: LynAppStyle.margin

        LynTable {
            id: table
            objectName: "deviceTable"
            Layout.fillWidth: true
            Layout.fillHeight: true
            title: qsTr("Devices")
            model: devices
            onSortRequested: function(role, order) {
                gallery.lastSort = role + ":" + order
                gallery.sortModel(role, order)
            }
            onRemoveRequested: function(ids) {
                gallery.removedIds = ids
                gallery.removeRows(ids)
            }

            LynTableViewColumnId {}
            LynTableViewColumn { role: "deviceName"; title: qsTr("Device name"); stretch: true }
            LynTableViewColumn { role: "sourceAddress"; title: qsTr("Source address"); width: 140 }
            LynTableViewColumnYesNo { role: "online"; title: qsTr("Online") }
            LynTableViewColumnFuzzyTime { role: "dtInsert"; title: qsTr("Added") }
        }

        ColumnLayout {
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            spacing: LynAppStyle.spacing

            LynGroupBox {
                Layout.fillWidth: true
                title: qsTr("Calendar")
                LynCalendar {
                    objectName: "calendar"
                    selectedDate: new Date(2026, 2, 10)
                    onDatePicked: function(date) { gallery.pickedDate = date }
                }
            }

            LynGroupBox {
                Layout.fillWidth: true
                title: qsTr("Controls")
                ColumnLayout {
                    anchors.fill: parent
                    LabelEdit { objectName: "nameEdit"; label: qsTr("Name"); text: "Garage"; Layout.fillWidth: true }
                    LabelComboBox {
                        Layout.fillWidth: true
                        label: qsTr("Type")
                        model: [qsTr("IP camera"), qsTr("USB camera"), qsTr("Screen")]
                    }
                    RowLayout {
                        LynCheckBox { objectName: "checkBox"; text: qsTr("Record"); checked: true }
                        LynSwitch { text: qsTr("Detect") }
                    }
                    LynLabeledSlider { Layout.fillWidth: true; text: qsTr("Sensitivity"); from: 0; to: 100; value: 40; unit: "%" }
                }
            }

            RowLayout {
                spacing: LynAppStyle.spacing
                LynButton {
                    objectName: "openDialogButton"
                    text: qsTr("Ask")
                    onClicked: dialog.open()
                }
                LynButton {
                    objectName: "accentButton"
                    accent: true
                    text: qsTr("Save")
                }
            }

            RowLayout {
                spacing: LynAppStyle.margin
                LynDragContainer {
                    objectName: "dragSource"
                    width: 80
                    height: 60
                    dragData: "tile 3"
                    Rectangle {
                        anchors.fill: parent
                        color: LynAppStyle.accentColor
                        radius: LynAppStyle.radius
                        LynLabel { anchors.centerIn: parent; text: qsTr("Drag me") }
                    }
                }
                Rectangle {
                    width: 120
                    height: 60
                    color: LynAppStyle.panelAltColor
                    border.color: LynAppStyle.borderColor
                    LynLabel { anchors.centerIn: parent; text: qsTr("Drop here") }
                    LynDrop {
                        objectName: "dropTarget"
                        anchors.fill: parent
                        onDroppedData: function(data) { gallery.droppedData = data }
                    }
                }
            }
            Item { Layout.fillHeight: true }
        }

        LynEditor {
            objectName: "deviceEditor"
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            title: qsTr("Device")
            form: deviceForm

            LynForm {
                id: deviceForm
                objectName: "deviceForm"
                width: parent ? parent.width : 0
                onSaveRequested: function(editorState, mapParams) {
                    gallery.savedParams = mapParams
                    handleReply({ "status": gallery.replyStatus })
                }

                function populateForm(record) {
                    nameField.text = record.deviceName
                }
                function getMapParams() {
                    return { "deviceName": nameField.text }
                }
                function validate() {
                    return nameField.text === "" ? qsTr("The device needs a name.") : ""
                }

                LabelEdit {
                    id: nameField
                    objectName: "formName"
                    Layout.fillWidth: true
                    label: qsTr("Device name")
                    labelWidth: 100
                }
            }
        }
    }

    LynDialog {
        id: dialog
        objectName: "questionDialog"
        type: Enums.DialogType.QUESTION
        title: qsTr("Delete device")
        text: qsTr("Delete selected device?")
        onAccepted: gallery.dialogResult = "accepted"
        onRejected: gallery.dialogResult = "rejected"
    }
}
