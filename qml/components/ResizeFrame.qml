import QtQuick 2.15
import QtQuick.Window 2.15
import "../misc"

// Edges and corners by which a frameless window is resized.
Item {
    id: frame

    property Window window
    property int border: LynAppStyle.resizeBorder
    // A maximised window is not resized by its edges.
    property bool locked: false

    anchors.fill: parent
    visible: window !== null && window.visibility === Window.Windowed && !locked

    component Edge: MouseArea {
        // Which sides move: -1 the left/top side, 1 the right/bottom side, 0 neither.
        property int dx: 0
        property int dy: 0
        property point pressPos

        cursorShape: dx !== 0 && dy !== 0 ? (dx === dy ? Qt.SizeFDiagCursor : Qt.SizeBDiagCursor)
                                          : dx !== 0 ? Qt.SizeHorCursor : Qt.SizeVerCursor
        onPressed: function(mouse) { pressPos = mapToGlobal(mouse.x, mouse.y) }
        onPositionChanged: function(mouse) {
            var w = frame.window
            var now = mapToGlobal(mouse.x, mouse.y)
            var ddx = now.x - pressPos.x
            var ddy = now.y - pressPos.y
            if (dx > 0)
                w.width = Math.max(w.minimumWidth, w.width + ddx)
            if (dx < 0 && w.width - ddx >= w.minimumWidth) {
                w.x += ddx
                w.width -= ddx
            }
            if (dy > 0)
                w.height = Math.max(w.minimumHeight, w.height + ddy)
            if (dy < 0 && w.height - ddy >= w.minimumHeight) {
                w.y += ddy
                w.height -= ddy
            }
            pressPos = now
        }
    }

    Edge { dx: -1; x: 0; y: frame.border; width: frame.border; height: parent.height - 2 * frame.border }
    Edge { dx: 1; x: parent.width - frame.border; y: frame.border; width: frame.border; height: parent.height - 2 * frame.border }
    Edge { dy: -1; x: frame.border; y: 0; width: parent.width - 2 * frame.border; height: frame.border }
    Edge { dy: 1; x: frame.border; y: parent.height - frame.border; width: parent.width - 2 * frame.border; height: frame.border }
    Edge { dx: -1; dy: -1; x: 0; y: 0; width: frame.border; height: frame.border }
    Edge { dx: 1; dy: -1; x: parent.width - frame.border; y: 0; width: frame.border; height: frame.border }
    Edge { dx: -1; dy: 1; x: 0; y: parent.height - frame.border; width: frame.border; height: frame.border }
    Edge { dx: 1; dy: 1; x: parent.width - frame.border; y: parent.height - frame.border; width: frame.border; height: frame.border }
}
