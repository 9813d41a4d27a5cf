import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// The fields of the YouTube settings record: event upload, the linked account and live streaming.
LynForm {
    id: form

    property bool linked: false
    property string channelName: ""
    property var privacyModel
    property var deviceModel

    signal linkRequested()
    signal unlinkRequested()

    function populateForm(record) {
        uploadEvents.checked = !!record.isUploadEvents
        privacyType.currentIndex = Math.max(0, privacyType.comboBox.indexOfValue(record.privacyType))
        streamDevice.checked = !!record.isStreamDeviceOnYoutube
        device.currentIndex = device.comboBox.indexOfValue(record.rstIDStreamDevice)
        onlyOnEvent.checked = !!record.isMakeStreamOnlyOnEvent
        serverUrl.text = record.serverURL || ""
        streamKey.text = record.streamKey || ""
    }

    function getMapParams() {
        return {
            isUploadEvents: uploadEvents.checked,
            privacyType: privacyType.currentValue !== undefined ? privacyType.currentValue : 1,
            isStreamDeviceOnYoutube: streamDevice.checked,
            rstIDStreamDevice: device.currentIndex >= 0 ? device.currentValue : -1,
            isMakeStreamOnlyOnEvent: onlyOnEvent.checked,
            serverURL: serverUrl.text.trim(),
            streamKey: streamKey.text.trim()
        }
    }

    function validate() {
        if (streamDevice.checked && device.currentIndex < 0)
            return qsTr("Select the device to stream.")
        if (streamKey.text.trim().search(/[\/\\\s]/) >= 0)
            return qsTr("The stream key must not contain slashes or spaces.")
        return ""
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Account")

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            RowLayout {
                spacing: LynAppStyle.spacing
                LynLabel {
                    Layout.preferredWidth: 140
                    text: qsTr("Channel name")
                }
                LynLabel {
                    objectName: "youtubeChannelName"
                    Layout.fillWidth: true
                    text: form.linked ? form.channelName : qsTr("No account is linked")
                    color: form.linked ? LynAppStyle.textColor : LynAppStyle.textSecondaryColor
                    font.weight: Font.Medium
                }
            }
            RowLayout {
                spacing: LynAppStyle.spacing
                LynButton {
                    objectName: "youtubeLinkButton"
                    visible: !form.linked
                    accent: true
                    text: qsTr("Link to your YouTube account")
                    icon.source: "qrc:/img/tiles/youtube_logo.png"
                    onClicked: form.linkRequested()
                }
                LynButton {
                    objectName: "youtubeUnlinkButton"
                    visible: form.linked
                    text: qsTr("Unlink YouTube account")
                    onClicked: form.unlinkRequested()
                }
            }
            LynCheckBox {
                id: uploadEvents
                objectName: "youtubeUploadEvents"
                text: qsTr("Upload events on YouTube")
            }
            LabelComboBox {
                id: privacyType
                objectName: "youtubePrivacyType"
                Layout.fillWidth: true
                label: qsTr("Privacy type")
                model: form.privacyModel
                textRole: "name"
                valueRole: "code"
            }
        }
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Live stream")

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            LynCheckBox {
                id: streamDevice
                objectName: "youtubeStreamDevice"
                text: qsTr("Stream selected device on YouTube channel")
            }
            LabelComboBox {
                id: device
                objectName: "youtubeDevice"
                Layout.fillWidth: true
                enabled: streamDevice.checked
                label: qsTr("Select device")
                model: form.deviceModel
                textRole: "deviceName"
                valueRole: "rowID"
            }
            LynCheckBox {
                id: onlyOnEvent
                objectName: "youtubeOnlyOnEvent"
                enabled: streamDevice.checked
                text: qsTr("Make stream only on event")
            }
            LabelEdit {
                id: serverUrl
                objectName: "youtubeServerUrl"
                Layout.fillWidth: true
                label: qsTr("Server URL")
            }
            LabelEdit {
                id: streamKey
                objectName: "youtubeStreamKey"
                Layout.fillWidth: true
                label: qsTr("Stream key")
                echoMode: TextInput.Password
            }
        }
    }
}
