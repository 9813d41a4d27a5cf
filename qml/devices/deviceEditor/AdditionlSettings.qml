import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// The parameters of one module of one device, read with trGetParams and
// written with trSetParams. The form follows the kinds of the values: a number
// with a range is a slider, other numbers spin boxes, yes/no a switch, a value
// with options a combo box, anything else a text field.
Popup {
    id: popup

    property var moduleController
    property var deviceId
    property var module: ({})
    property bool connected: true
    property var params: ({})
    property var edited: ({})
    readonly property var names: Object.keys(params)

    signal networkErrorRequested()

    function kindOf(value) {
        if (typeof value === "boolean")
            return "switch"
        if (typeof value === "number")
            return "spin"
        if (value !== null && typeof value === "object") {
            if (Array.isArray(value.options))
                return "choice"
            if (typeof value.value === "number" && value.min !== undefined && value.max !== undefined)
                return "slider"
        }
        return "text"
    }

    function plain(value) {
        return value !== null && typeof value === "object" && !Array.isArray(value) ? value.value : value
    }

    function setEdited(name, value) {
        var original = params[name]
        var copy = edited
        if (original !== null && typeof original === "object" && !Array.isArray(original)) {
            var described = JSON.parse(JSON.stringify(original))
            described.value = value
            copy[name] = described
        } else {
            copy[name] = value
        }
        edited = copy
    }

    function openFor(newModule, id) {
        module = newModule
        deviceId = id
        params = {}
        edited = {}
        problem.text = ""
        open()
        if (!connected) {
            networkErrorRequested()
            return
        }
        moduleController.trGetParams({ "rstIDDevice": id, "workname": newModule.workname })
    }

    function save() {
        if (!connected) {
            networkErrorRequested()
            return
        }
        if (Object.keys(edited).length === 0) {
            close()
            return
        }
        moduleController.trSetParams({ "rstIDDevice": deviceId, "workname": module.workname, "params": edited })
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: LynAppStyle.margin
    width: 460

    Overlay.modal: Rectangle { color: LynAppStyle.dimColor }
    background: Rectangle {
        color: LynAppStyle.popupColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }

    Connections {
        target: popup.moduleController
        function onSaGetParams(reply) {
            if (!popup.opened || reply.workname !== popup.module.workname)
                return
            if (reply.status === "OK")
                popup.params = reply.params || {}
            else
                problem.text = qsTr("Failed to read the parameters")
        }
        function onSaSetParams(reply) {
            if (!popup.opened || reply.workname !== popup.module.workname)
                return
            if (reply.status === "OK")
                popup.close()
            else
                problem.text = qsTr("Failed to save the parameters")
        }
    }

    contentItem: ColumnLayout {
        spacing: LynAppStyle.spacing
        Keys.onReturnPressed: popup.save()
        Keys.onEnterPressed: popup.save()

        LynLabel {
            Layout.fillWidth: true
            text: qsTr("Parameters: %1").arg(popup.module.name || popup.module.workname || "")
            font.pointSize: LynAppStyle.headerFontSize
            font.weight: Font.Medium
        }
        Repeater {
            model: popup.names
            RowLayout {
                id: paramRow
                readonly property string name: modelData
                readonly property var original: popup.params[modelData]
                readonly property string kind: popup.kindOf(original)
                Layout.fillWidth: true
                spacing: LynAppStyle.spacing

                LynLabel {
                    Layout.preferredWidth: 140
                    text: paramRow.name
                }
                Loader {
                    Layout.fillWidth: true
                    sourceComponent: ({ "switch": switchEditor, "spin": spinEditor, "choice": choiceEditor,
                                        "slider": sliderEditor, "text": textEditor })[paramRow.kind]
                    onLoaded: {
                        item.paramName = paramRow.name
                        item.paramValue = Qt.binding(function() { return paramRow.original })
                    }
                }
            }
        }
        LynLabel {
            id: problem
            objectName: "moduleParamsError"
            Layout.fillWidth: true
            visible: text !== ""
            color: LynAppStyle.errorColor
        }
        LynDialogButtonBox {
            Layout.alignment: Qt.AlignRight
            buttonNamePrefix: "moduleParams"
            acceptText: qsTr("Save")
            onAccepted: popup.save()
            onRejected: popup.close()
        }
    }

    Component {
        id: switchEditor
        LynSwitch {
            property string paramName
            property var paramValue
            objectName: "moduleParam_" + paramName
            checked: paramValue === true
            onToggled: popup.setEdited(paramName, checked)
        }
    }
    Component {
        id: spinEditor
        SpinBox {
            property string paramName
            property var paramValue
            objectName: "moduleParam_" + paramName
            editable: true
            from: Math.min(0, paramValue || 0)
            to: Math.max(1000, (paramValue || 0) * 10)
            value: paramValue || 0
            palette.text: LynAppStyle.textColor
            palette.base: LynAppStyle.windowColor
            palette.button: LynAppStyle.panelColor
            palette.buttonText: LynAppStyle.textColor
            onValueModified: popup.setEdited(paramName, value)
        }
    }
    Component {
        id: sliderEditor
        LynLabeledSlider {
            property string paramName
            property var paramValue
            objectName: "moduleParam_" + paramName
            from: paramValue ? paramValue.min : 0
            to: paramValue ? paramValue.max : 1
            stepSize: paramValue && paramValue.step ? paramValue.step : 1
            value: paramValue ? paramValue.value : 0
            onMoved: function(value) { popup.setEdited(paramName, value) }
        }
    }
    Component {
        id: choiceEditor
        LynComboBox {
            property string paramName
            property var paramValue
            objectName: "moduleParam_" + paramName
            model: paramValue ? paramValue.options : []
            currentIndex: paramValue ? Math.max(0, paramValue.options.indexOf(paramValue.value)) : -1
            onActivated: function(index) { popup.setEdited(paramName, paramValue.options[index]) }
        }
    }
    Component {
        id: textEditor
        LynTextField {
            property string paramName
            property var paramValue
            objectName: "moduleParam_" + paramName
            text: popup.plain(paramValue) === undefined ? "" : String(popup.plain(paramValue))
            onTextEdited: popup.setEdited(paramName, text)
        }
    }
}
