import QtQuick 2.15
import QtQuick.Window 2.15

// Moves a frameless window while the left button is held; a double click asks to maximise.
// `locked` (a maximised window) keeps it in place.
MouseArea {
    id: area

    property Window window
    property point pressPos
    property bool locked: false

    signal doubleClickedOnArea()

    acceptedButtons: Qt.LeftButton
    onPressed: function(mouse) { pressPos = Qt.point(mouse.x, mouse.y) }
    onPositionChanged: function(mouse) {
        if (!pressed || !window || locked)
            return
        window.x += mouse.x - pressPos.x
        window.y += mouse.y - pressPos.y
    }
    onDoubleClicked: doubleClickedOnArea()
}
