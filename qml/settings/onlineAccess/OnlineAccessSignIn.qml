import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// Sign-in to the account service: e-mail, password and the service's answer.
ColumnLayout {
    id: signIn

    property alias email: email.text
    property alias onlineEnabled: enableSwitch.checked
    property bool busy: false
    property string problem: ""

    signal loginRequested(string email, string password, bool onlineEnabled)
    signal signUpRequested()

    function login() {
        if (email.text.trim() === "" || password.text === "") {
            problem = qsTr("Enter the e-mail and the password")
            return
        }
        problem = ""
        loginRequested(email.text.trim(), password.text, enableSwitch.checked)
    }

    function clearPassword() {
        password.text = ""
    }

    spacing: LynAppStyle.spacing

    LynSwitch {
        id: enableSwitch
        objectName: "onlineAccessEnabled"
        text: qsTr("Enable online access")
        checked: true
    }
    LabelEdit {
        id: email
        objectName: "onlineAccessEmail"
        Layout.fillWidth: true
        label: qsTr("E-mail")
        field.onAccepted: password.field.forceActiveFocus()
    }
    LabelEdit {
        id: password
        objectName: "onlineAccessPassword"
        Layout.fillWidth: true
        label: qsTr("Password")
        echoMode: maskPassword.checked ? TextInput.Password : TextInput.Normal
        field.onAccepted: signIn.login()
    }
    LynCheckBox {
        id: maskPassword
        objectName: "onlineAccessMaskPassword"
        Layout.leftMargin: password.labelWidth + LynAppStyle.spacing
        text: qsTr("Mask password")
        checked: true
    }
    LynLabel {
        objectName: "onlineAccessProblem"
        Layout.fillWidth: true
        visible: signIn.problem !== ""
        text: signIn.problem
        color: LynAppStyle.errorColor
        wrapMode: Text.WordWrap
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: LynAppStyle.spacing
        LynButton {
            objectName: "onlineAccessSignUpButton"
            flat: true
            text: qsTr("Create an account")
            onClicked: signIn.signUpRequested()
        }
        Item { Layout.fillWidth: true }
        LynButton {
            objectName: "onlineAccessLoginButton"
            accent: true
            enabled: !signIn.busy
            text: signIn.busy ? qsTr("Signing in...") : qsTr("Login")
            onClicked: signIn.login()
        }
    }
}
