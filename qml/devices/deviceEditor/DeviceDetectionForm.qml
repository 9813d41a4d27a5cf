import QtQuick 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components/text"
import "../../misc"

// The analysis modules of one device: one panel per module of the server's
// list, ON for those in the device's active list.
ColumnLayout {
    id: form

    property var deviceId
    // The device's LiveStream, for parameters drawn over its picture.
    property QtObject stream: null
    property bool connected: true
    property var modules: []
    property var activeModules: []
    // Panels appear once the device's active list is known, so no switch acts on a stale state.
    property bool activeKnown: false
    property string pending: ""

    signal networkErrorRequested()

    function reload() {
        modules = []
        activeModules = []
        activeKnown = false
        pending = ""
        if (deviceId === undefined || deviceId === null)
            return
        if (!connected) {
            networkErrorRequested()
            return
        }
        moduleController.trModuleList({})
        moduleController.trActiveModuleList({ "rstIDDevice": deviceId })
    }

    function switchModule(workname, on) {
        if (!connected) {
            networkErrorRequested()
            return
        }
        pending = workname
        var params = { "rstIDDevice": deviceId, "workname": workname }
        if (on)
            moduleController.trModuleOn(params)
        else
            moduleController.trModuleOff(params)
    }

    function takeActiveList(reply) {
        if (reply.rstIDDevice !== undefined && Number(reply.rstIDDevice) !== Number(deviceId))
            return
        pending = ""
        activeKnown = true
        if (reply.status === "OK" && Array.isArray(reply.active_module_list))
            activeModules = reply.active_module_list
        else
            problem.text = qsTr("The server did not switch the module")
    }

    spacing: LynAppStyle.spacing

    ModuleSystemController {
        id: moduleController
        onSaModuleList: function(reply) {
            form.modules = reply.status === "OK" && Array.isArray(reply.list) ? reply.list : []
        }
        onSaActiveModuleList: function(reply) { form.takeActiveList(reply) }
        onSaModuleOn: function(reply) { form.takeActiveList(reply) }
        onSaModuleOff: function(reply) { form.takeActiveList(reply) }
    }

    LynLabel {
        Layout.fillWidth: true
        visible: form.deviceId === undefined || form.deviceId === null
        text: qsTr("Save the device first to choose its detectors.")
        color: LynAppStyle.textSecondaryColor
    }
    LynLabel {
        id: problem
        objectName: "detectionError"
        Layout.fillWidth: true
        visible: text !== ""
        color: LynAppStyle.errorColor
    }
    Repeater {
        model: form.activeKnown ? form.modules : []
        DetectorPanel {
            objectName: "detectorPanel_" + modelData.workname
            Layout.fillWidth: true
            module: modelData
            active: form.activeModules.indexOf(modelData.workname) >= 0
            busy: form.pending === modelData.workname
            hintAllowed: !paramsPopup.visible
            onSwitchRequested: function(workname, on) { form.switchModule(workname, on) }
            onParamsRequested: function(module) { paramsPopup.openFor(module, form.deviceId) }
        }
    }

    AdditionlSettings {
        id: paramsPopup
        objectName: "moduleParamsPopup"
        moduleController: moduleController
        stream: form.stream
        connected: form.connected
        onNetworkErrorRequested: form.networkErrorRequested()
    }
}
