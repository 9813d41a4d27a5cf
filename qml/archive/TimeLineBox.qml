import QtQuick 2.15
import "../misc"

// The time lines with their scale, the playing-position cursor, zoom and
// scroll. The view shows [viewStart, viewStart + visibleSeconds) of the day.
Item {
    id: box

    property alias model: lines.model
    property alias currentDevice: lines.currentDevice
    // Seconds of the day at the cursor; negative hides it.
    property real cursorSecond: -1
    property real labelWidth: 140
    readonly property real daySeconds: 86400
    readonly property real minuteSeconds: 60
    readonly property real linesWidth: Math.max(1, width - labelWidth)
    readonly property real minPixelPerSecond: linesWidth / daySeconds
    readonly property real maxPixelPerSecond: linesWidth / minuteSeconds
    property real pixelPerSecond: minPixelPerSecond
    property real viewStart: 0
    readonly property real visibleSeconds: linesWidth / pixelPerSecond
    // How much the scale is blown up against the whole day.
    readonly property real xScaleFactor: pixelPerSecond / minPixelPerSecond
    readonly property real secondPerPixel: 1 / pixelPerSecond
    readonly property alias linesView: lines

    signal picked(int deviceId, real second, var piece)

    function setViewStart(second) {
        viewStart = Utils.clamp(second, 0, daySeconds - visibleSeconds)
    }
    // Zooms keeping the time at x (of the lines area) where it was.
    function zoomAt(newPixelPerSecond, x) {
        var second = viewStart + x / pixelPerSecond
        pixelPerSecond = Utils.clamp(newPixelPerSecond, minPixelPerSecond, maxPixelPerSecond)
        setViewStart(second - x / pixelPerSecond)
    }
    // Around the cursor when it is in view, else around the middle.
    function anchorX() {
        var x = (cursorSecond - viewStart) * pixelPerSecond
        return cursorSecond >= 0 && x >= 0 && x <= linesWidth ? x : linesWidth / 2
    }
    function zoomTo(newPixelPerSecond) {
        zoomAt(newPixelPerSecond, anchorX())
    }
    function zoomBy(factor) {
        zoomTo(pixelPerSecond * factor)
    }
    // Brings a second of the day into view, keeping the zoom.
    function reveal(second) {
        if (second < viewStart || second > viewStart + visibleSeconds)
            setViewStart(second - visibleSeconds / 2)
    }

    // While playing, the view follows the cursor when it runs (or jumps) out of
    // view; a view the user moved away from the cursor stays where it is.
    property real shownCursor: -1
    onCursorSecondChanged: {
        var wasInView = shownCursor >= viewStart && shownCursor <= viewStart + visibleSeconds
        if (wasInView && cursorSecond >= 0 && (cursorSecond < viewStart || cursorSecond > viewStart + visibleSeconds))
            setViewStart(cursorSecond - visibleSeconds / 10)
        shownCursor = cursorSecond
    }

    // A resized window keeps the same part of the day in view.
    onMinPixelPerSecondChanged: {
        if (pixelPerSecond < minPixelPerSecond || pixelPerSecond > maxPixelPerSecond)
            pixelPerSecond = Utils.clamp(pixelPerSecond, minPixelPerSecond, maxPixelPerSecond)
        setViewStart(viewStart)
    }

    // The panel colour only where no line row paints its own: in a software-rendered
    // window every frame costs in proportion to the pixels painted, layers included.
    Rectangle {
        width: box.width
        height: timeScale.height
        color: LynAppStyle.panelColor
    }
    Rectangle {
        readonly property real rowsBottom: linesArea.y + Math.min(linesArea.height, Math.max(0, lines.originY + lines.contentHeight - lines.contentY))
        y: rowsBottom
        width: box.width
        height: box.height - rowsBottom
        color: LynAppStyle.panelColor
    }

    // Placed by hand: a layout here re-polishes on every zoom step, and those
    // frames came late (the 95th percentile of zoom frames doubled).
    Item {
        anchors.fill: parent

        TimeScaleBase {
            id: timeScale
            objectName: "archiveTimeScale"
            x: box.labelWidth
            width: parent.width - box.labelWidth
            height: implicitHeight
            viewStart: box.viewStart
            pixelPerSecond: box.pixelPerSecond
        }
        Item {
            id: linesArea
            y: timeScale.height
            width: parent.width
            height: parent.height - timeScale.height - scrollBar.height

            LinesListView {
                id: lines
                objectName: "archiveLines"
                anchors.fill: parent
                labelWidth: box.labelWidth
                viewStart: box.viewStart
                pixelPerSecond: box.pixelPerSecond
                onPicked: box.picked(deviceId, second, piece)
            }
            MouseArea {
                objectName: "archiveWheelArea"
                anchors.fill: parent
                anchors.leftMargin: box.labelWidth
                acceptedButtons: Qt.NoButton
                onWheel: {
                    var steps = (wheel.angleDelta.y !== 0 ? wheel.angleDelta.y : wheel.angleDelta.x) / 120
                    if (wheel.modifiers & Qt.ControlModifier)
                        box.zoomAt(box.pixelPerSecond * Math.pow(1.25, steps), wheel.x)
                    else if ((wheel.modifiers & Qt.ShiftModifier) || wheel.angleDelta.x !== 0)
                        box.setViewStart(box.viewStart - steps * box.visibleSeconds / 10)
                    else
                        wheel.accepted = false
                }
            }
            Rectangle {
                objectName: "archiveCursor"
                x: box.labelWidth + (box.cursorSecond - box.viewStart) * box.pixelPerSecond
                width: 2
                height: parent.height
                color: LynAppStyle.warningColor
                visible: box.cursorSecond >= 0 && x >= box.labelWidth && x <= parent.width
            }
        }
        TimeLineHScrollBar {
            id: scrollBar
            x: box.labelWidth
            y: parent.height - height
            width: parent.width - box.labelWidth
            box: box
        }
    }
}
