import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../components/toolbuttons"
import "../../misc"

// The tile's own actions, shown in its corner.
Row {
    id: interaction

    property bool detached: false
    property string buttonNamePrefix: ""

    signal detachRequested()
    signal attachRequested()

    LynToolButtonBase {
        objectName: interaction.buttonNamePrefix + (interaction.detached ? "AttachButton" : "DetachButton")
        icon.source: "qrc:/img/player/detach.png"
        toolTipText: interaction.detached ? qsTr("Back to the grid") : qsTr("Open in its own window")
        onClicked: interaction.detached ? interaction.attachRequested() : interaction.detachRequested()
    }
}
