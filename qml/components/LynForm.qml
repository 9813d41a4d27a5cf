import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../misc"

// The fields of one record. A screen's form fills itself in populateForm, hands its
// values out in getMapParams, and passes the controller's reply to handleReply.
ColumnLayout {
    id: form

    property int editorState: Enums.EditorState.ADD
    property var record: ({})
    property bool useDialogOnError: true
    // False while the server link is down: nothing is sent then.
    property bool connected: true

    signal saveRequested(int editorState, var mapParams)
    signal saved()

    // A screen's form overrides these three.
    function populateForm(record) {}
    function getMapParams() { return {} }
    // The reason the values cannot be saved, or "" when they can.
    function validate() { return "" }

    function load(newRecord) {
        record = newRecord
        editorState = Enums.EditorState.EDIT
        populateForm(newRecord)
    }

    function showNetworkError() {
        errorDialog.showLost()
    }

    function save() {
        if (!connected) {
            showNetworkError()
            return
        }
        var problem = validate()
        if (problem !== "") {
            errorDialog.show(Enums.DialogType.ALERT, qsTr("Check the form"), problem)
            return
        }
        saveRequested(editorState, getMapParams())
    }

    // True when the reply says the record was stored.
    function handleReply(reply) {
        if (reply && reply.status === "OK") {
            saved()
            return true
        }
        if (useDialogOnError) {
            var adding = editorState === Enums.EditorState.ADD
            errorDialog.show(Enums.DialogType.ALERT, adding ? qsTr("Add error") : qsTr("Update error"),
                             adding ? qsTr("Failed to add") : qsTr("Failed to update"))
        }
        return false
    }

    spacing: LynAppStyle.spacing

    LynNetworkGuard {
        id: errorDialog
        objectName: form.objectName + "ErrorDialog"
    }
}
