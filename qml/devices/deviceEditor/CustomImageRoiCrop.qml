import QtQuick 2.15
import QmlVlc 0.1
import "../../components/text"
import "../../misc"
import "Region.js" as Region

// A region of interest over a device's live picture. Dragging outside the
// frame draws a new one, inside it moves it, at a corner resizes it; the
// arrow keys move it too. The picture is the window's own stream of the
// device: a second receiver could never bind the device's RTP port.
Rectangle {
    id: crop

    // The device's LiveStream, or null.
    property QtObject stream: null
    // Fractions of the picture: {x, y, width, height}.
    property var region: Region.whole()
    readonly property bool showingPicture: stream !== null && stream.status === "live"
                                           && stream.player.frameSize.width > 0
    readonly property real aspect: showingPicture ? stream.player.frameSize.width / stream.player.frameSize.height
                                                  : 16 / 9
    // Where the picture is drawn; the region is measured against it.
    readonly property rect picture: Region.fitted(aspect, width, height)
    readonly property int handleSize: 10

    // A region the user has finished dragging or moving.
    signal regionEdited(var region)

    function place(region) {
        crop.region = region
        regionEdited(region)
    }

    implicitHeight: width * 9 / 16
    color: LynAppStyle.headerColor
    border.color: activeFocus ? LynAppStyle.accentColor : LynAppStyle.borderColor
    radius: LynAppStyle.radius
    clip: true
    activeFocusOnTab: true

    Keys.onLeftPressed: place(Region.moved(region, -0.01, 0))
    Keys.onRightPressed: place(Region.moved(region, 0.01, 0))
    Keys.onUpPressed: place(Region.moved(region, 0, -0.01))
    Keys.onDownPressed: place(Region.moved(region, 0, 0.01))

    VlcVideoSurface {
        objectName: "roiCropSurface"
        anchors.fill: parent
        anchors.margins: LynAppStyle.borderWidth
        source: crop.stream ? crop.stream.player : null
        // Shown whenever there is a stream: the player decodes only for a surface that can be seen.
        visible: crop.stream !== null
    }
    LynLabel {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.top
        anchors.topMargin: LynAppStyle.margin
        visible: !crop.showingPicture
        color: LynAppStyle.textSecondaryColor
        text: crop.stream === null ? qsTr("No live picture")
                                   : (crop.stream.statusText !== "" ? crop.stream.statusText : qsTr("Connecting…"))
    }

    Item {
        id: frameArea
        x: crop.picture.x
        y: crop.picture.y
        width: crop.picture.width
        height: crop.picture.height

        // What lies outside the region is dimmed.
        Rectangle { color: LynAppStyle.dimColor; x: 0; y: 0; width: parent.width; height: frame.y }
        Rectangle { color: LynAppStyle.dimColor; x: 0; y: frame.y + frame.height; width: parent.width
                    height: parent.height - y }
        Rectangle { color: LynAppStyle.dimColor; x: 0; y: frame.y; width: frame.x; height: frame.height }
        Rectangle { color: LynAppStyle.dimColor; x: frame.x + frame.width; y: frame.y
                    width: parent.width - x; height: frame.height }

        Rectangle {
            id: frame
            objectName: "roiCropFrame"
            x: crop.region.x * frameArea.width
            y: crop.region.y * frameArea.height
            width: crop.region.width * frameArea.width
            height: crop.region.height * frameArea.height
            color: "transparent"
            border.color: LynAppStyle.accentColor
            border.width: 2
        }
        Repeater {
            model: [Qt.point(0, 0), Qt.point(1, 0), Qt.point(0, 1), Qt.point(1, 1)]
            Rectangle {
                width: crop.handleSize
                height: crop.handleSize
                x: frame.x + modelData.x * frame.width - width / 2
                y: frame.y + modelData.y * frame.height - height / 2
                color: LynAppStyle.accentColor
            }
        }

        MouseArea {
            id: dragArea
            objectName: "roiCropDragArea"
            anchors.fill: parent
            // "move" shifts the region from where it was pressed; "span"
            // stretches it between a fixed corner and the pointer.
            property string mode: ""
            property point anchorPoint
            property point pressPoint
            property var pressRegion

            function fractionOf(mouse) {
                return Qt.point(mouse.x / width, mouse.y / height)
            }
            function nearCorner(mouse, cornerX, cornerY) {
                return Math.abs(mouse.x - (frame.x + cornerX * frame.width)) <= crop.handleSize
                        && Math.abs(mouse.y - (frame.y + cornerY * frame.height)) <= crop.handleSize
            }

            cursorShape: mode === "move" ? Qt.ClosedHandCursor : Qt.CrossCursor
            onPressed: function(mouse) {
                crop.forceActiveFocus()
                var r = crop.region
                pressPoint = fractionOf(mouse)
                pressRegion = r
                for (var corner = 0; corner < 4; ++corner) {
                    var cx = corner % 2
                    var cy = Math.floor(corner / 2)
                    if (nearCorner(mouse, cx, cy)) {
                        mode = "span"
                        anchorPoint = Qt.point(r.x + (1 - cx) * r.width, r.y + (1 - cy) * r.height)
                        return
                    }
                }
                var inside = mouse.x >= frame.x && mouse.x <= frame.x + frame.width
                        && mouse.y >= frame.y && mouse.y <= frame.y + frame.height
                // A region over the whole picture cannot move: a drag in it draws a new one.
                mode = inside && (r.width < 1 || r.height < 1) ? "move" : "span"
                anchorPoint = pressPoint
            }
            onPositionChanged: function(mouse) {
                var at = fractionOf(mouse)
                if (mode === "move")
                    crop.region = Region.moved(pressRegion, at.x - pressPoint.x, at.y - pressPoint.y)
                else if (mode === "span")
                    crop.region = Region.spanned(anchorPoint.x, anchorPoint.y, at.x, at.y)
            }
            onReleased: {
                if (mode !== "" && JSON.stringify(crop.region) !== JSON.stringify(pressRegion))
                    crop.regionEdited(crop.region)
                mode = ""
            }
        }
    }
}
