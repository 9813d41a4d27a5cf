import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// One analysis module of a device: icon, name, hint, ON/OFF and its parameters.
Rectangle {
    id: panel

    // An entry of the module list: name, workname, type, version, params.
    property var module: ({})
    property bool active: false
    property bool busy: false
    // Off while a pop-up covers the panel.
    property bool hintAllowed: true

    signal switchRequested(string workname, bool on)
    signal paramsRequested(var module)

    // Modules named by workname have icons of their own; the rest go by type.
    readonly property var iconsByWorkname: ({
        "dummyDetectionOfAbandonedObjects": "abandoned.png",
        "dummyQueueLength": "queue.png",
        "dummyPeopleCounter": "people_counter.png",
        "cvPLicplate": "license_plate.png",
        "dummyLicplateRec": "license_plate.png",
        "dummyFireFlameAndSmokeDetection": "fire.png"
    })
    readonly property string kind: {
        var type = String(module.type || "").toLowerCase()
        if (type.indexOf("motion") >= 0)
            return "motion"
        if (type.indexOf("recogn") >= 0 && type.indexOf("face") >= 0)
            return "faceRecognition"
        if (type.indexOf("face") >= 0)
            return "face"
        return "object"
    }
    readonly property string icon: iconsByWorkname[module.workname]
                                   || { "motion": "motion.png", "faceRecognition": "face_recognition.png",
                                        "face": "face.png", "object": "object.png" }[kind]
    readonly property string hint: {
        if (iconsByWorkname[module.workname])
            return module.name || ""
        switch (kind) {
        case "motion":
            return qsTr("Process of detecting a change in the position of an object relative to its surroundings")
        case "faceRecognition":
            return qsTr("Technology capable of identifying or verifying a person from a digital image or a video frame from a video source")
        case "object":
            return qsTr("Detecting instances of semantic objects of a certain class (such as humans, buildings, or cars) in digital images")
        default:
            return module.name || ""
        }
    }

    state: active ? "ON" : "OFF"
    states: [
        State { name: "ON"; PropertyChanges { target: panel; border.color: LynAppStyle.accentColor } },
        State { name: "OFF"; PropertyChanges { target: panel; border.color: LynAppStyle.borderColor } }
    ]

    implicitHeight: 64
    color: LynAppStyle.panelAltColor
    radius: LynAppStyle.radius

    RowLayout {
        anchors.fill: parent
        anchors.margins: LynAppStyle.spacing
        spacing: LynAppStyle.margin

        Image {
            objectName: "detectorIcon_" + panel.module.workname
            Layout.preferredWidth: 40
            Layout.preferredHeight: 40
            fillMode: Image.PreserveAspectFit
            sourceSize: Qt.size(80, 80)
            source: "qrc:/img/detectors/" + panel.icon
            opacity: panel.active ? 1 : 0.5
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            LynLabel {
                Layout.fillWidth: true
                text: panel.module.name || panel.module.workname || ""
                font.weight: Font.Medium
            }
            LynLabel {
                objectName: "detectorHint_" + panel.module.workname
                Layout.fillWidth: true
                text: panel.hint
                color: LynAppStyle.textSecondaryColor
                font.pointSize: LynAppStyle.smallFontSize
            }
        }
        LynButton {
            objectName: "detectorParams_" + panel.module.workname
            text: qsTr("Settings")
            onClicked: panel.paramsRequested(panel.module)
        }
        LynSwitch {
            objectName: "detectorSwitch_" + panel.module.workname
            Layout.preferredWidth: 84
            checked: panel.active
            enabled: !panel.busy
            text: panel.active ? qsTr("ON") : qsTr("OFF")
            // The server's answer decides; the switch shows it.
            onToggled: {
                var wanted = checked
                checked = Qt.binding(function() { return panel.active })
                panel.switchRequested(panel.module.workname, wanted)
            }
        }
    }

    // A panel of a closed editor has no window to show a tip in.
    ToolTip.visible: hover.hovered && panel.hintAllowed && panel.hint !== "" && panel.Window.window !== null
    ToolTip.delay: LynAppStyle.toolTipDelay
    ToolTip.text: panel.hint
    HoverHandler { id: hover }
}
