import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components/tabBar"
import "../../components/text"
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
    // Why the last add or update failed, when that is not shown as a dialog.
    property alias saveProblem: saveProblem.text

    signal networkErrorRequested()

    spacing: LynAppStyle.spacing

    SearchDevicesController { id: searchController }

    // Above the tabs, so it is seen on either of them.
    LynLabel {
        id: saveProblem
        objectName: "deviceEditorSaveError"
        Layout.fillWidth: true
        visible: text !== ""
        color: LynAppStyle.errorColor
        // The server's reason is shown as it came, never as markup.
        textFormat: Text.PlainText
        wrapMode: Text.WordWrap
        maximumLineCount: 3
        elide: Text.ElideRight
    }
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
            stream: preview.stream
            connected: base.connected
            onNetworkErrorRequested: base.networkErrorRequested()
        }
    }
}
