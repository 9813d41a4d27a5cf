import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// Signed in: who, whether online access is on, and the way out.
ColumnLayout {
    id: signOut

    property string email: ""
    property alias onlineEnabled: enableSwitch.checked

    signal enabledToggled(bool on)
    signal signOutRequested()

    spacing: LynAppStyle.spacing

    LynLabel {
        objectName: "onlineAccessSignedInAs"
        Layout.fillWidth: true
        text: qsTr("Signed in as %1").arg(signOut.email)
        font.weight: Font.Medium
        color: LynAppStyle.okColor
    }
    LynSwitch {
        id: enableSwitch
        objectName: "onlineAccessEnabledSignedIn"
        text: qsTr("Enable online access")
        onToggled: signOut.enabledToggled(checked)
    }
    RowLayout {
        Layout.fillWidth: true
        Item { Layout.fillWidth: true }
        LynButton {
            objectName: "onlineAccessSignOutButton"
            text: qsTr("Sign out")
            onClicked: signOut.signOutRequested()
        }
    }
}
