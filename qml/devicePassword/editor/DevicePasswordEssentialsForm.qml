import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../../components"

// One login/password pair.
LynForm {
    id: form

    function populateForm(record) {
        loginEdit.text = record.login || ""
        passwordEdit.text = record.password || ""
    }

    function getMapParams() {
        return { "login": loginEdit.text.trim(), "password": passwordEdit.text }
    }

    function validate() {
        return loginEdit.text.trim() === "" ? qsTr("Enter the login") : ""
    }

    LabelEdit {
        id: loginEdit
        objectName: "devicePasswordLoginEdit"
        Layout.fillWidth: true
        label: qsTr("Login")
    }
    LabelEdit {
        id: passwordEdit
        objectName: "devicePasswordPasswordEdit"
        Layout.fillWidth: true
        label: qsTr("Password")
        echoMode: TextInput.Password
    }
}
