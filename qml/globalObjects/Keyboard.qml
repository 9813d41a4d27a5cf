import QtQuick 2.15

// Modifier keys as they are now, for drops and clicks that behave differently with them.
QtObject {
    function isControlPressed() { return DESKTOP_UTILS.isControlPressed() }
    function isShiftPressed() { return DESKTOP_UTILS.isShiftPressed() }
    function isAltPressed() { return DESKTOP_UTILS.isAltPressed() }
}
