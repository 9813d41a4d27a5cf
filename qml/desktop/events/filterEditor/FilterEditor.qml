import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../../components/buttons"
import "../../../components/text"
import "../../../misc"

// The "Events filter" dialog: the user picks devices, OK applies them.
Popup {
    id: editor

    property var deviceModel
    // rowIDs of the devices the table is narrowed to; empty for all.
    property var devices: []

    signal applied(var devices)

    function finish(accept) {
        if (accept)
            applied(form.selectedDevices.slice())
        close()
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    padding: LynAppStyle.margin
    width: 360
    onAboutToShow: form.selectedDevices = devices.slice()

    Overlay.modal: Rectangle { color: LynAppStyle.dimColor }
    background: Rectangle {
        color: LynAppStyle.popupColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }

    contentItem: ColumnLayout {
        spacing: LynAppStyle.margin
        focus: true
        Keys.onReturnPressed: editor.finish(true)
        Keys.onEnterPressed: editor.finish(true)
        Keys.onEscapePressed: editor.finish(false)

        LynLabel {
            objectName: "eventsFilterTitle"
            text: qsTr("Events filter")
            font.pointSize: LynAppStyle.headerFontSize
            font.weight: Font.Medium
        }
        FilterEssentialsForm {
            id: form
            Layout.fillWidth: true
            deviceModel: editor.deviceModel
        }
        LynDialogButtonBox {
            Layout.alignment: Qt.AlignRight
            buttonNamePrefix: "eventsFilter"
            onAccepted: editor.finish(true)
            onRejected: editor.finish(false)
        }
    }
}
