import QtQuick 2.15
import "../../misc"

// Accepts drops of LynDragContainers with a matching key and shows what a drop would do.
DropArea {
    id: area

    // Swap rather than drop (for tiles exchanging places).
    property bool swap: false
    // Decides, per dragged container, whether this area takes it.
    property var canAccept: function(source) { return true }
    readonly property bool acceptable: containsDrag && drag.source !== null && canAccept(drag.source)

    signal droppedData(var data, var source)

    keys: ["lyn"]

    onDropped: function(event) {
        if (!canAccept(event.source)) {
            event.accepted = false
            return
        }
        event.acceptProposedAction()
        droppedData(event.source.dragData, event.source)
    }

    Rectangle {
        anchors.fill: parent
        visible: area.containsDrag
        color: area.acceptable ? LynAppStyle.dropAcceptColor : LynAppStyle.dropRejectColor
        border.color: area.acceptable ? LynAppStyle.okColor : LynAppStyle.errorColor
        border.width: 2
        z: 100

        Image {
            anchors.centerIn: parent
            width: Math.min(LynAppStyle.dialogIconSize, parent.width / 2, parent.height / 2)
            height: width
            source: !area.acceptable ? "qrc:/img/dragAndDrop/prohibition.png"
                                     : area.swap ? "qrc:/img/dragAndDrop/swap.png" : "qrc:/img/dragAndDrop/drop.png"
            sourceSize: Qt.size(LynAppStyle.dialogIconSize * 2, LynAppStyle.dialogIconSize * 2)
        }
    }
}
