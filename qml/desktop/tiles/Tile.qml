import QtQuick 2.15
import "../../components"
import "../../components/buttons"
import "../../components/dragAndDrop"
import "../../components/text"
import "../../misc"

// A device's live picture in the grid; drag it onto another cell to move it.
Item {
    id: tile

    property var record: null
    property QtObject stream: null
    property bool detached: false
    property alias dragKey: dragContainer.dragKey
    property alias dragData: dragContainer.dragData
    property alias dragEnabled: dragContainer.dragEnabled
    // What drop areas see as the dragged source.
    readonly property alias dragSource: dragContainer

    signal detachRequested()
    signal attachRequested()

    LynDragContainer {
        id: dragContainer
        objectName: tile.objectName + "Drag"
        anchors.fill: parent

        TileDecorate {
            anchors.fill: parent
            title: tile.record ? tile.record.deviceName : ""
            active: dragContainer.dragging

            LynMediaPlayer {
                objectName: tile.objectName + "Player"
                anchors.fill: parent
                visible: !tile.detached
                source: tile.stream && !tile.detached ? tile.stream.player : null
                statusText: tile.stream ? tile.stream.statusText : qsTr("Offline")
                frozen: tile.stream !== null && tile.stream.status === "noSignal"
                detections: tile.stream ? tile.stream.detections : []
            }
            // A camera of a remote installation, reached through punched ports.
            Rectangle {
                objectName: tile.objectName + "RemoteBadge"
                anchors.left: parent.left
                anchors.bottom: parent.bottom
                anchors.margins: LynAppStyle.smallSpacing
                width: remoteText.implicitWidth + 2 * LynAppStyle.smallSpacing
                height: remoteText.implicitHeight
                radius: LynAppStyle.radius
                color: LynAppStyle.shadowColor
                visible: tile.stream !== null && tile.stream.remote && !tile.detached
                LynLabel {
                    id: remoteText
                    x: LynAppStyle.smallSpacing
                    text: qsTr("Remote")
                    color: LynAppStyle.accentHoverColor
                    font.pointSize: LynAppStyle.smallFontSize
                }
            }
            LynText {
                objectName: tile.objectName + "DetachedText"
                anchors.centerIn: parent
                visible: tile.detached
                text: qsTr("Shown in its own window")
                color: LynAppStyle.textSecondaryColor
            }
        }
    }

    // Under the status line; above the drag area, so it gets its clicks.
    LynButton {
        objectName: tile.objectName + "RetryButton"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.verticalCenter
        anchors.topMargin: 2 * LynAppStyle.spacing
        visible: tile.stream !== null && tile.stream.status === "unreachable" && !tile.detached
        text: qsTr("Retry")
        onClicked: tile.stream.retry()
    }

    // Above the drag area, so its buttons get their clicks.
    TileInteraction {
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: LynAppStyle.borderWidth
        visible: !dragContainer.dragging
        buttonNamePrefix: tile.objectName
        detached: tile.detached
        onDetachRequested: tile.detachRequested()
        onAttachRequested: tile.attachRequested()
    }
}
