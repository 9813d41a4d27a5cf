import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

// A modal editor over the window that runs the editor protocol against a
// table controller: trInfo fills the form, Save sends trAdd (ADD) or trUpdate
// (EDIT), and only the answers to this editor's own requests are taken.
Popup {
    id: popup

    // Anything with trInfo/trAdd/trUpdate and the matching sa… signals.
    property var controller
    property LynForm form
    property string title: ""
    property bool connected: true
    property var rowId
    property string requestId: ""
    readonly property int editorState: form ? form.editorState : Enums.EditorState.ADD
    default property alias content: editor.content
    property alias editor: editor

    signal stored(var reply)

    function nextRequestId() {
        requestId = objectName + "_" + Date.now() + "_" + Math.floor(Math.random() * 1e9)
        return requestId
    }

    function openToAdd(defaults) {
        rowId = undefined
        nextRequestId()
        form.record = defaults || {}
        form.editorState = Enums.EditorState.ADD
        form.populateForm(form.record)
        open()
    }

    function openToEdit(id) {
        rowId = id
        form.editorState = Enums.EditorState.EDIT
        open()
        if (!connected) {
            form.showNetworkError()
            return
        }
        controller.trInfo({ "rowID": id, "_requestId": nextRequestId() })
    }

    function mine(reply) {
        return opened && reply._requestId === requestId
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    closePolicy: Popup.NoAutoClose
    padding: 0
    width: Math.min(editor.implicitWidth, parent ? parent.width - 40 : editor.implicitWidth)
    height: Math.min(editor.implicitHeight, parent ? parent.height - 40 : editor.implicitHeight)

    Binding { target: popup.form; property: "connected"; value: popup.connected; when: popup.form !== null }

    Overlay.modal: Rectangle { color: LynAppStyle.dimColor }
    background: null

    contentItem: LynEditor {
        id: editor
        objectName: popup.objectName + "Frame"
        title: popup.title
        form: popup.form
        focus: true
        onCancelled: popup.close()
    }

    Connections {
        target: popup.form
        function onSaveRequested(editorState, mapParams) {
            mapParams._requestId = popup.nextRequestId()
            if (editorState === Enums.EditorState.ADD) {
                popup.controller.trAdd(mapParams)
            } else {
                mapParams.rowID = popup.rowId
                popup.controller.trUpdate(mapParams)
            }
        }
    }

    Connections {
        target: popup.controller
        ignoreUnknownSignals: true
        function onSaInfo(reply) {
            if (popup.mine(reply) && reply.status === "OK" && reply.record)
                popup.form.load(reply.record)
        }
        function onSaAdd(reply) {
            if (popup.mine(reply) && popup.form.handleReply(reply)) {
                popup.stored(reply)
                popup.close()
            }
        }
        function onSaUpdate(reply) {
            if (popup.mine(reply) && popup.form.handleReply(reply)) {
                popup.stored(reply)
                popup.close()
            }
        }
    }
}
