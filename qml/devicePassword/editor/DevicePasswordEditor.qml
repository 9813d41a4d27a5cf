import QtQuick 2.15
import "../../components"
import "../../misc"

// Editor of one login/password pair.
LynEditorPopup {
    id: passwordEditor

    form: essentials
    title: editorState === Enums.EditorState.ADD ? qsTr("New password") : qsTr("Device password")
    editor.implicitHeight: 240

    DevicePasswordEssentialsForm {
        id: essentials
        objectName: "devicePasswordForm"
        width: passwordEditor.availableWidth - 2 * LynAppStyle.margin
        useDialogOnError: SETTINGS.value("other", "useDialogOnError", "yes") === "yes"
    }
}
