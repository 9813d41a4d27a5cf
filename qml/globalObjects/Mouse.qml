import QtQuick 2.15

// Pointer state shared by the screens: buttons held now and the cursor shape.
QtObject {
    function buttons() { return DESKTOP_UTILS.mouseButtons() }
    function setCursorShape(shape) { DESKTOP_UTILS.cursorShape = shape }
}
