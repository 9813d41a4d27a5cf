import QtQuick 2.15
import QtQuick.Window 2.15

// Makes its content draggable. While dragged the content floats above the window,
// and drop areas see `dragData` under the key `dragKey`.
Item {
    id: container

    property string dragKey: "lyn"
    property var dragData
    property bool dragEnabled: true
    default property alias content: body.data
    readonly property bool dragging: dragArea.drag.active

    signal dropped(int action)

    Item {
        id: body

        width: container.width
        height: container.height
        opacity: container.dragging ? 0.8 : 1
        Drag.keys: [container.dragKey]
        Drag.active: dragArea.drag.active
        Drag.source: container
        Drag.hotSpot.x: width / 2
        Drag.hotSpot.y: height / 2

        states: State {
            when: container.dragging && container.Window.window !== null
            ParentChange {
                target: body
                parent: container.Window.window.contentItem
            }
        }
    }

    LynDrag {
        id: dragArea
        objectName: container.objectName + "DragArea"
        anchors.fill: parent
        enabled: container.dragEnabled
        dragItem: body
        onDropped: function(action) { container.dropped(action) }
    }
}
