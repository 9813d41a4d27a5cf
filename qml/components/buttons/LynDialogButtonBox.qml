import QtQuick 2.15
import "../../misc"

// The accept and reject buttons at the foot of a dialog or form.
Row {
    id: box

    property string acceptText: qsTr("OK")
    property string rejectText: qsTr("Cancel")
    property bool acceptVisible: true
    property bool rejectVisible: true
    property bool acceptEnabled: true
    // The buttons are named <prefix>AcceptButton and <prefix>RejectButton.
    property string buttonNamePrefix: objectName

    signal accepted()
    signal rejected()

    spacing: LynAppStyle.spacing
    layoutDirection: Qt.RightToLeft

    LynButton {
        objectName: box.buttonNamePrefix + "RejectButton"
        visible: box.rejectVisible
        text: box.rejectText
        onClicked: box.rejected()
    }
    LynButton {
        objectName: box.buttonNamePrefix + "AcceptButton"
        visible: box.acceptVisible
        enabled: box.acceptEnabled
        accent: true
        text: box.acceptText
        onClicked: box.accepted()
    }
}
