import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// Notifications through the messenger: the phone of the account, the confirmation code
// the server reports, and the group and switch once the account is linked.
LynForm {
    id: form

    // "phone" until a code is asked for, "code" while it is awaited, "linked" afterwards.
    property string linkState: "phone"
    property string sentCode: ""

    signal codeRequested(string phone)
    signal codeEntered(string phone, string code)
    signal unlinkRequested()

    readonly property bool phoneValid: /^\+?[0-9 ()-]{5,24}$/.test(phone.text.trim())

    function populateForm(record) {
        phone.text = record.phone || ""
        groupName.text = record.groupName || ""
        enabledSwitch.checked = !!record.enabled
        if (record.isLink)
            linkState = "linked"
        else if (linkState === "linked")
            linkState = "phone"
    }

    function getMapParams() {
        return { phone: phone.text.trim(), groupName: groupName.text.trim(), enabled: enabledSwitch.checked }
    }

    function validate() {
        return phoneValid || phone.text.trim() === "" ? "" : qsTr("Enter the phone number with its country code.")
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Telegram account")

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            RowLayout {
                spacing: LynAppStyle.spacing
                LabelEdit {
                    id: phone
                    objectName: "telegramPhone"
                    Layout.fillWidth: true
                    label: qsTr("Phone")
                    placeholderText: "+7 900 000 00 00"
                    readOnly: form.linkState === "linked"
                    field.onAccepted: if (form.phoneValid) form.codeRequested(phone.text.trim())
                }
                LynButton {
                    objectName: "telegramSendCodeButton"
                    visible: form.linkState !== "linked"
                    enabled: form.phoneValid
                    text: qsTr("Send code")
                    onClicked: form.codeRequested(phone.text.trim())
                }
            }
            LynLabel {
                objectName: "telegramSentCode"
                Layout.fillWidth: true
                visible: form.linkState === "code"
                text: qsTr("Confirmation code: %1").arg(form.sentCode)
                font.weight: Font.Medium
                color: LynAppStyle.accentColor
            }
            RowLayout {
                visible: form.linkState === "code"
                spacing: LynAppStyle.spacing
                LabelEdit {
                    id: code
                    objectName: "telegramCode"
                    Layout.fillWidth: true
                    label: qsTr("Code")
                    field.onAccepted: form.codeEntered(phone.text.trim(), code.text.trim())
                }
                LynButton {
                    objectName: "telegramConfirmButton"
                    accent: true
                    enabled: code.text.trim() !== ""
                    text: qsTr("Confirm")
                    onClicked: form.codeEntered(phone.text.trim(), code.text.trim())
                }
            }
            RowLayout {
                visible: form.linkState === "linked"
                spacing: LynAppStyle.spacing
                LynLabel {
                    objectName: "telegramLinkedState"
                    Layout.fillWidth: true
                    text: qsTr("The account is linked")
                    color: LynAppStyle.okColor
                    font.weight: Font.Medium
                }
                LynButton {
                    objectName: "telegramUnlinkButton"
                    text: qsTr("Unlink")
                    onClicked: form.unlinkRequested()
                }
            }
        }
    }

    LynGroupBox {
        Layout.fillWidth: true
        title: qsTr("Notifications")
        enabled: form.linkState === "linked"

        ColumnLayout {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: LynAppStyle.spacing

            LynSwitch {
                id: enabledSwitch
                objectName: "telegramEnabled"
                text: qsTr("Send notifications")
            }
            LabelEdit {
                id: groupName
                objectName: "telegramGroupName"
                Layout.fillWidth: true
                label: qsTr("Group name")
            }
        }
    }
}
