import QtQuick 2.15
import "../../components"
import "../../misc"
import "../DeviceTiles.js" as DeviceTiles

// The device editor over the window: add a device on the first free tile, or
// edit one; its live picture plays while the editor is open.
LynEditorPopup {
    id: deviceEditor

    property var deviceController
    // Plays every device's stream; the preview shows the edited one's.
    property QtObject mediaPlayerContainer

    function openToAddDevice() {
        base.deviceId = undefined
        base.currentTab = 0
        base.essentials.newTileIndex = DeviceTiles.freeTiles(deviceController.originalModel, 1)[0]
        openToAdd({})
    }

    function openToEditDevice(id) {
        base.deviceId = id
        base.currentTab = 0
        openToEdit(id)
        base.detection.reload()
    }

    controller: deviceController
    form: base.essentials
    title: editorState === Enums.EditorState.ADD ? qsTr("New device") : qsTr("Device")

    editor.implicitWidth: 720
    editor.implicitHeight: 760

    DeviceEditorBase {
        id: base
        width: deviceEditor.availableWidth - 2 * 12
        deviceController: deviceEditor.deviceController
        previewStream: deviceEditor.visible && deviceEditor.mediaPlayerContainer && base.deviceId !== undefined
                       ? deviceEditor.mediaPlayerContainer.stream(base.deviceId) : null
        connected: deviceEditor.connected
        onNetworkErrorRequested: deviceEditor.form.showNetworkError()
    }
}
