import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components/tabBar"
import "../../misc"

// The two tabs of the device editor: the device itself with its live
// picture, and its analysis modules.
ColumnLayout {
    id: base

    property var deviceController
    property bool connected: true
    property var deviceId
    property alias essentials: essentials
    property alias detection: detection
    property alias preview: preview
    property alias previewStream: preview.stream
    property alias currentTab: tabs.currentIndex

    signal networkErrorRequested()

    spacing: LynAppStyle.spacing

    SearchDevicesController { id: searchController }

    LynTabBar {
        id: tabs
        objectName: "deviceEditorTabs"
        Layout.fillWidth: true
        LynTabButton { objectName: "deviceEditorDeviceTab"; text: qsTr("Device") }
        LynTabButton {
            objectName: "deviceEditorDetectionTab"
            text: qsTr("Detection")
            enabled: base.deviceId !== undefined && base.deviceId !== null
        }
    }
    StackLayout {
        Layout.fillWidth: true
        Layout.fillHeight: true
        currentIndex: tabs.currentIndex

        ColumnLayout {
            spacing: LynAppStyle.margin
            DeviceEssentialsForm {
                id: essentials
                objectName: "deviceEssentialsForm"
                Layout.fillWidth: true
                searchController: searchController
                useDialogOnError: SETTINGS.value("other", "useDialogOnError", "yes") === "yes"
            }
            CameraPreviewPanel {
                id: preview
                objectName: "cameraPreviewPanel"
                Layout.fillWidth: true
                Layout.preferredHeight: width * 9 / 16
            }
        }
        DeviceDetectionForm {
            id: detection
            objectName: "deviceDetectionForm"
            deviceId: base.deviceId
            connected: base.connected
            onNetworkErrorRequested: base.networkErrorRequested()
        }
    }
}
