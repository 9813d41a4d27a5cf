import QtQuick 2.15

// Drags `dragItem` (which carries the Drag attached properties) and drops it on release.
MouseArea {
    id: area

    property Item dragItem

    // `action` is the drop action the target accepted, Qt.IgnoreAction when there was none.
    signal dropped(int action)

    drag.target: dragItem
    drag.threshold: 6
    onReleased: {
        if (drag.active)
            dropped(dragItem.Drag.drop())
        dragItem.x = 0
        dragItem.y = 0
    }
}
