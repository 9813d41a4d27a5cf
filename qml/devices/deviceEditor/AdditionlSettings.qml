import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"
import "Region.js" as Region

// The parameters of one module of one device, read with trGetParams and
// written with trSetParams. The form follows the kinds of the values: a number
// with a range is a slider, other numbers spin boxes, yes/no a switch, a value
// with options a combo box, a region of the picture a frame dragged over the
// device's live picture, anything else a text field.
Popup {
    id: popup

    property var moduleController
    // The device's LiveStream, under a region parameter.
    property QtObject stream: null
    property var deviceId
    property var module: ({})
    property bool connected: true
    property var params: ({})
    property var edited: ({})
    readonly property var names: Object.keys(params)
    readonly property bool hasRegion: names.some(function(name) { return kindOf(params[name]) === "region" })

    signal networkErrorRequested()

    function kindOf(value) {
        if (typeof value === "boolean")
            return "switch"
        if (typeof value === "number")
            return "spin"
        if (Region.isRegion(value))
            return "region"
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
        var kind = kindOf(original)
        if (kind === "slider" || kind === "choice") {
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
    width: hasRegion ? 680 : 460

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
            if (reply.status !== "OK") {
                problem.text = qsTr("Failed to read the parameters")
                return
            }
            var params = reply.params !== null && typeof reply.params === "object" && !Array.isArray(reply.params)
                    ? reply.params : {}
            for (var name in params) {
                if (Region.isRegion(params[name]) && Region.checked(params[name]) === null)
                    console.warn("Module parameter '" + name + "' is not a region inside the picture; the whole picture is used")
            }
            popup.params = params
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
                    Layout.alignment: Qt.AlignTop
                    text: paramRow.name
                }
                Loader {
                    Layout.fillWidth: true
                    sourceComponent: ({ "switch": switchEditor, "spin": spinEditor, "choice": choiceEditor,
                                        "slider": sliderEditor, "region": regionEditor, "text": textEditor })[paramRow.kind]
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
        id: regionEditor
        ColumnLayout {
            id: regionColumn
            property string paramName
            property var paramValue
            // A region from the server is used only when it lies inside the picture.
            readonly property var fromServer: Region.checked(paramValue)
            property bool regionEdited: false
            spacing: LynAppStyle.spacing

            CustomImageRoiCrop {
                id: roi
                objectName: "moduleParam_" + regionColumn.paramName
                Layout.fillWidth: true
                Layout.preferredHeight: width * 9 / 16
                stream: popup.stream
                region: regionColumn.fromServer || Region.whole()
                onRegionEdited: function(region) {
                    regionColumn.regionEdited = true
                    popup.setEdited(regionColumn.paramName, region)
                }
            }
            RowLayout {
                Layout.fillWidth: true
                LynLabel {
                    objectName: "moduleParamRegionText_" + regionColumn.paramName
                    Layout.fillWidth: true
                    color: LynAppStyle.textSecondaryColor
                    text: qsTr("Left %1%, top %2%, width %3%, height %4%")
                          .arg(Math.round(roi.region.x * 100)).arg(Math.round(roi.region.y * 100))
                          .arg(Math.round(roi.region.width * 100)).arg(Math.round(roi.region.height * 100))
                }
                LynButton {
                    objectName: "moduleParamWhole_" + regionColumn.paramName
                    text: qsTr("Whole picture")
                    onClicked: roi.place(Region.whole())
                }
            }
            LynLabel {
                objectName: "moduleParamRegionWarning_" + regionColumn.paramName
                Layout.fillWidth: true
                // Fades rather than leaves after the first edit: the centred pop-up would
                // otherwise shrink and move the picture under the user's next drag.
                visible: regionColumn.fromServer === null
                opacity: regionColumn.regionEdited ? 0 : 1
                color: LynAppStyle.warningColor
                wrapMode: Text.WordWrap
                text: qsTr("The stored region was not valid; editing starts from the whole picture.")
            }
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
