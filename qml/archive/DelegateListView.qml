import QtQuick 2.15
import LYN 1.0
import "../components/text"
import "../misc"

// One device's line: its name, then its pieces on the shared time scale.
Rectangle {
    id: line

    property int deviceId: -1
    property string name: ""
    property string segmentsText: ""
    property real labelWidth: 140
    property real viewStart: 0
    property real pixelPerSecond: 1
    property bool current: false
    readonly property alias segmentCount: segments.count

    // second: seconds of the day under the click; piece: the piece there (or the next one).
    signal picked(int deviceId, real second, var piece)

    objectName: "archiveLine_" + deviceId
    height: LynAppStyle.tableRowHeight + 6
    color: current ? LynAppStyle.selectionColor : (index % 2 ? LynAppStyle.panelAltColor : LynAppStyle.panelColor)

    LynLabel {
        width: line.labelWidth - LynAppStyle.spacing
        x: LynAppStyle.smallSpacing
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: line.name
    }
    TimeLineSegments {
        id: segments
        objectName: "archiveLineSegments_" + line.deviceId
        x: line.labelWidth
        y: 3
        width: line.width - line.labelWidth
        height: line.height - 6
        segments: line.segmentsText
        viewStart: line.viewStart
        pixelPerSecond: line.pixelPerSecond
    }
    MouseArea {
        anchors.fill: segments
        onClicked: line.picked(line.deviceId, line.viewStart + mouse.x / line.pixelPerSecond, segments.segmentAt(mouse.x))
    }
}
