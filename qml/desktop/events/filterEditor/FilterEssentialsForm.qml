import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../../../components"
import "../../../components/text"
import "../../../misc"

// Which devices' events to list; none checked means every device.
ColumnLayout {
    id: form

    property var deviceModel
    property alias selectedDevices: devices.selectedKeys

    spacing: LynAppStyle.spacing

    LynText {
        Layout.fillWidth: true
        text: qsTr("Show the events of these devices (none checked: all devices)")
        color: LynAppStyle.textSecondaryColor
    }
    ListSelector {
        id: devices
        objectName: "eventsFilterDevices"
        Layout.fillWidth: true
        Layout.preferredHeight: Math.min(contentHeight, 240)
        model: form.deviceModel
        textRole: "deviceName"
        keyRole: "rowID"
    }
}
