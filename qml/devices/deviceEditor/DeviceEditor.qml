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

    // A failed save is a dialog when the setting says so, a line in the editor otherwise.
    function prepare(id) {
        base.deviceId = id
        base.currentTab = 0
        base.saveProblem = ""
        form.useDialogOnError = SETTINGS.value("other", "useDialogOnError", "no") === "yes"
    }

    function showFailure(reply) {
        if (!mine(reply) || reply.status === "OK" || form.useDialogOnError)
            return
        var adding = editorState === Enums.EditorState.ADD
        var reason = String(reply.errorMessage || reply.ERRCODE || "").slice(0, 300)
        if (reason === "")
            base.saveProblem = adding ? qsTr("Failed to add") : qsTr("Failed to update")
        else
            base.saveProblem = adding ? qsTr("Failed to add: %1").arg(reason) : qsTr("Failed to update: %1").arg(reason)
    }

    function openToAddDevice() {
        prepare(undefined)
        base.essentials.newTileIndex = DeviceTiles.freeTiles(deviceController.originalModel, 1)[0]
        openToAdd({})
    }

    function openToEditDevice(id) {
        prepare(id)
        openToEdit(id)
        base.detection.reload()
    }

    controller: deviceController
    form: base.essentials
    title: editorState === Enums.EditorState.ADD ? qsTr("New device") : qsTr("Device")

    editor.implicitWidth: 720
    editor.implicitHeight: 760

    Connections {
        target: deviceEditor.form
        function onSaveRequested() { base.saveProblem = "" }
    }
    Connections {
        target: deviceEditor.deviceController
        function onSaAdd(reply) { deviceEditor.showFailure(reply) }
        function onSaUpdate(reply) { deviceEditor.showFailure(reply) }
    }

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
