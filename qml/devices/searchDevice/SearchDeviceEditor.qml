import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/text"
import "../../misc"
import "../DeviceSource.js" as DeviceSource

// A found camera edited before it is saved: its name, its source address and,
// where the search found them, its login and password. The values go back
// into the search result, checked for saving, and "Save" of the search adds
// them as they are.
Popup {
    id: popup

    property var searchController
    readonly property var searchModel: searchController ? searchController.originalModel : null
    property var rowId
    property var record: ({})
    readonly property bool hasCredentials: typeof record.login === "string" || typeof record.password === "string"

    signal edited(var rowId)

    function openFor(id) {
        var row = searchModel.findId(Number(id))
        if (row < 0)
            return
        rowId = id
        record = searchModel.originalData(row)
        form.load(record)
        open()
        nameEdit.field.forceActiveFocus()
    }

    function apply(values) {
        var id = String(rowId)
        for (var role in values)
            searchModel.updateValue(id, role, values[role])
        searchModel.updateValue(id, "isAdd", true)
        edited(rowId)
        close()
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    closePolicy: Popup.NoAutoClose
    padding: 0
    width: Math.min(editor.implicitWidth, parent ? parent.width - 40 : editor.implicitWidth)
    height: Math.min(editor.implicitHeight, parent ? parent.height - 40 : editor.implicitHeight)

    Overlay.modal: Rectangle { color: LynAppStyle.dimColor }
    background: null

    contentItem: LynEditor {
        id: editor
        objectName: "searchDeviceEditorFrame"
        title: qsTr("Found camera")
        form: form
        focus: true
        implicitWidth: 600
        implicitHeight: 340
        onCancelled: popup.close()

        LynForm {
            id: form
            objectName: "searchDeviceForm"
            width: popup.availableWidth - 2 * LynAppStyle.margin
            useDialogOnError: false

            property string sourceProblem: ""

            function parts() {
                return popup.searchController.parseUrl(sourceEdit.text.trim())
            }

            function populateForm(record) {
                nameEdit.text = record.deviceName || ""
                sourceEdit.text = record.source || ""
                // Read from the address as written: the parser takes a password of digits for an address.
                var credentials = DeviceSource.credentialsOf(sourceEdit.text)
                loginEdit.text = credentials.login
                passwordEdit.text = credentials.password
                sourceProblem = ""
            }

            function validate() {
                sourceProblem = DeviceSource.problem(sourceEdit.text, parts(), Number(popup.record.camType))
                return sourceProblem
            }

            function getMapParams() {
                var values = { "deviceName": nameEdit.text.trim(), "source": sourceEdit.text.trim(),
                               "ip": DeviceSource.hostOf(sourceEdit.text) }
                if (popup.hasCredentials) {
                    values.login = loginEdit.text
                    values.password = passwordEdit.text
                }
                return values
            }

            // The source carries the login and password; each edit follows the other.
            function credentialsEdited() {
                sourceEdit.text = DeviceSource.withCredentials(sourceEdit.text, loginEdit.text, passwordEdit.text)
                sourceProblem = ""
            }

            onSaveRequested: function(editorState, mapParams) { popup.apply(mapParams) }

            LabelEdit {
                id: nameEdit
                objectName: "searchDeviceNameEdit"
                Layout.fillWidth: true
                label: qsTr("Device name")
            }
            LabelEdit {
                id: sourceEdit
                objectName: "searchDeviceSourceEdit"
                Layout.fillWidth: true
                label: qsTr("Source address")
                onEdited: {
                    form.sourceProblem = ""
                    if (popup.hasCredentials) {
                        var credentials = DeviceSource.credentialsOf(sourceEdit.text)
                        loginEdit.text = credentials.login
                        passwordEdit.text = credentials.password
                    }
                }
            }
            Binding {
                target: sourceEdit.field
                property: "color"
                value: LynAppStyle.errorColor
                when: form.sourceProblem !== ""
            }
            LynLabel {
                objectName: "searchDeviceSourceError"
                Layout.fillWidth: true
                Layout.leftMargin: sourceEdit.labelWidth + LynAppStyle.spacing
                visible: form.sourceProblem !== ""
                text: form.sourceProblem
                color: LynAppStyle.errorColor
                wrapMode: Text.WordWrap
            }
            LabelEdit {
                id: loginEdit
                objectName: "searchDeviceLoginEdit"
                Layout.fillWidth: true
                visible: popup.hasCredentials
                label: qsTr("Login")
                onEdited: form.credentialsEdited()
            }
            LabelEdit {
                id: passwordEdit
                objectName: "searchDevicePasswordEdit"
                Layout.fillWidth: true
                visible: popup.hasCredentials
                label: qsTr("Password")
                echoMode: TextInput.Password
                onEdited: form.credentialsEdited()
            }
        }
    }
}
