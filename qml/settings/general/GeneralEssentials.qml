import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// The values of main.conf the user may change: where the server is and how it is reached,
// the interface language and the folder for saved video.
LynForm {
    id: form

    // Emitted when the user picks a language; it applies at once.
    signal languageChosen(string locale)

    readonly property bool addressValid: isHostOrAddress(serverAddress.text.trim())
    readonly property bool portValid: /^[0-9]{1,5}$/.test(serverPort.text) && Number(serverPort.text) >= 1
                                      && Number(serverPort.text) <= 65535
    readonly property var locales: ["en", "ru"]

    function isHostOrAddress(text) {
        if (/^(25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])(\.(25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])){3}$/.test(text))
            return true
        // IPv6: hexadecimal groups separated by colons, at most one "::".
        if (text.indexOf(":") >= 0)
            return /^[0-9A-Fa-f:]+$/.test(text) && text.split("::").length <= 2 && text.split(":").length <= 8
                   && text.split(":").every(function(group) { return group.length <= 4 })
        if (text.length === 0 || text.length > 253 || /^[0-9.]+$/.test(text))
            return false
        return text.split(".").every(function(label) {
            return /^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$/.test(label)
        })
    }

    // Re-translation gives the combo boxes new models, which resets their choices.
    function chooseLanguage(index) {
        var connection = connectionType.currentIndex
        languageChosen(locales[index])
        connectionType.currentIndex = connection
        language.currentIndex = index
    }

    function populateForm(record) {
        connectionType.currentIndex = record.p2p === "yes" ? 1 : 0
        serverId.text = record.remoteSign
        serverAddress.text = record.ip
        serverPort.text = record.port
        serverPassword.text = record.password
        language.currentIndex = Math.max(0, locales.indexOf(record.language))
        videoPath.text = record.videoPath
    }

    function getMapParams() {
        return {
            p2p: connectionType.currentIndex === 1 ? "yes" : "no",
            remoteSign: serverId.text.trim(),
            ip: serverAddress.text.trim(),
            port: serverPort.text,
            password: serverPassword.text,
            videoPath: videoPath.text
        }
    }

    function validate() {
        if (!addressValid)
            return qsTr("The server address must be a host name or an IP address.")
        if (!portValid)
            return qsTr("The server port must be a number from 1 to 65535.")
        return ""
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Video server")

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            LabelComboBox {
                id: connectionType
                objectName: "connectionType"
                Layout.fillWidth: true
                label: qsTr("Connection type")
                model: [qsTr("Direct"), qsTr("Through the P2P server")]
            }
            LabelEdit {
                id: serverId
                objectName: "serverId"
                Layout.fillWidth: true
                enabled: connectionType.currentIndex === 1
                label: qsTr("Server ID")
            }
            LabelEdit {
                id: serverAddress
                objectName: "serverAddress"
                Layout.fillWidth: true
                label: qsTr("Server address")

                // Marks an address that is neither a host name nor an IP address.
                Rectangle {
                    objectName: "serverAddressInvalidMark"
                    parent: serverAddress.field
                    anchors.fill: parent
                    visible: !form.addressValid
                    color: LynAppStyle.transparent
                    radius: LynAppStyle.radius
                    border.width: 2
                    border.color: LynAppStyle.errorColor
                }
            }
            LynLabel {
                objectName: "serverAddressProblem"
                Layout.fillWidth: true
                Layout.leftMargin: serverAddress.labelWidth + LynAppStyle.spacing
                visible: !form.addressValid
                text: qsTr("Enter a host name or an IP address")
                color: LynAppStyle.errorColor
                font.pointSize: LynAppStyle.smallFontSize
            }
            LabelEdit {
                id: serverPort
                objectName: "serverPort"
                Layout.fillWidth: true
                label: qsTr("Server port")
                validator: IntValidator { bottom: 1; top: 65535 }
            }
            LabelEdit {
                id: serverPassword
                objectName: "serverPassword"
                Layout.fillWidth: true
                label: qsTr("Password")
                echoMode: TextInput.Password
            }
            LynLabel {
                Layout.fillWidth: true
                text: qsTr("* After the settings was changed you need to restart app!")
                color: LynAppStyle.warningColor
                wrapMode: Text.WordWrap
            }
        }
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Common")

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            LabelComboBox {
                id: language
                objectName: "language"
                Layout.fillWidth: true
                label: qsTr("Language")
                model: [qsTr("English"), qsTr("Russian")]
                onActivated: function(index) { form.chooseLanguage(index) }
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: LynAppStyle.spacing

                LabelEdit {
                    id: videoPath
                    objectName: "videoPath"
                    Layout.fillWidth: true
                    label: qsTr("Video file path")
                }
                LynButton {
                    objectName: "videoPathOpenButton"
                    text: qsTr("Open")
                    onClicked: folderDialog.openAt(videoPath.text)
                }
            }
        }
    }

    VideoFolderDialog {
        id: folderDialog
        objectName: "videoFolderDialog"
        onChosen: function(path) { videoPath.text = path }
    }
}
