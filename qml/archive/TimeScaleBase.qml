import QtQuick 2.15
import "../components/text"
import "../misc"

// Hour, minute and second marks of the visible part of the day: the step
// grows with the zoom so that labels never crowd.
Item {
    id: timeScale

    property real viewStart: 0
    property real pixelPerSecond: 1
    readonly property var steps: [1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600]
    readonly property int minLabelSpacing: 64
    readonly property int step: {
        for (var i = 0; i < steps.length; ++i) {
            if (steps[i] * pixelPerSecond >= minLabelSpacing)
                return steps[i]
        }
        return steps[steps.length - 1]
    }
    readonly property int firstMark: Math.floor(viewStart / step)
    readonly property int markCount: Math.ceil(width / minLabelSpacing) + 2

    function label(second) {
        var s = Math.round(second)
        var text = Utils.pad2(Math.floor(s / 3600)) + ":" + Utils.pad2(Math.floor(s / 60) % 60)
        return step < 60 ? text + ":" + Utils.pad2(s % 60) : text
    }

    implicitHeight: LynAppStyle.controlHeight
    clip: true

    Repeater {
        // As many marks as the width can ever hold, so zooming never recreates them.
        model: timeScale.markCount
        Item {
            // Mark number firstMark + k keeps item (firstMark + k) mod markCount: scrolling by
            // a step relabels one item, not all of them.
            readonly property int mark: timeScale.firstMark
                                        + ((index - timeScale.firstMark) % timeScale.markCount + timeScale.markCount) % timeScale.markCount
            readonly property real second: mark * timeScale.step
            x: (second - timeScale.viewStart) * timeScale.pixelPerSecond
            width: 1
            height: timeScale.height
            visible: second <= 86400 && x <= timeScale.width
            Rectangle {
                width: 1
                height: timeScale.height / 3
                anchors.bottom: parent.bottom
                color: LynAppStyle.textSecondaryColor
            }
            // Half steps, unlabelled.
            Rectangle {
                x: timeScale.step * timeScale.pixelPerSecond / 2
                width: 1
                height: timeScale.height / 6
                anchors.bottom: parent.bottom
                color: LynAppStyle.borderColor
            }
            LynLabel {
                x: 3
                y: 2
                text: timeScale.label(parent.second)
                font.pointSize: LynAppStyle.smallFontSize
                color: LynAppStyle.textSecondaryColor
            }
        }
    }
}
