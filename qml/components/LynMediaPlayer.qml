import QtQuick 2.15
import QmlVlc 0.1
import "text"
import "../misc"

// A player's picture with what the viewer needs around it: a status line over
// the picture (the last one dimmed when frozen), a size/rate badge and
// labelled boxes given as fractions of the picture.
Rectangle {
    id: mediaPlayer

    property QtObject source
    // Empty while the picture is live.
    property string statusText: ""
    // Keeps the last picture, dimmed, under the status line.
    property bool frozen: false
    // [{x, y, width, height, label, probability}] as fractions (0..1) of the picture.
    property var detections: []
    property bool badgeVisible: true

    readonly property size frameSize: source ? source.frameSize : Qt.size(0, 0)
    // Where the picture is drawn inside the item (letterboxed to keep its aspect).
    readonly property rect pictureRect: {
        if (frameSize.width <= 0 || frameSize.height <= 0)
            return Qt.rect(0, 0, width, height)
        var scale = Math.min(width / frameSize.width, height / frameSize.height)
        var w = frameSize.width * scale
        var h = frameSize.height * scale
        return Qt.rect((width - w) / 2, (height - h) / 2, w, h)
    }

    color: LynAppStyle.videoBackgroundColor
    clip: true

    onFrozenChanged: {
        if (frozen && surface.visible && surface.width > 0 && surface.height > 0)
            surface.grabToImage(function(result) { if (mediaPlayer.frozen) lastPicture.source = result.url })
        else if (!frozen)
            lastPicture.source = ""
    }

    VlcVideoSurface {
        id: surface
        objectName: mediaPlayer.objectName + "Surface"
        anchors.fill: parent
        source: mediaPlayer.source
        fillMode: VlcVideoSurface.PreserveAspectFit
    }

    Image {
        id: lastPicture
        objectName: mediaPlayer.objectName + "LastPicture"
        anchors.fill: parent
        visible: mediaPlayer.frozen && status === Image.Ready
        cache: false
    }

    Rectangle {
        anchors.fill: parent
        visible: mediaPlayer.statusText !== ""
        color: mediaPlayer.frozen ? LynAppStyle.dimColor : LynAppStyle.transparent
    }

    Item {
        objectName: mediaPlayer.objectName + "Detections"
        x: mediaPlayer.pictureRect.x
        y: mediaPlayer.pictureRect.y
        width: mediaPlayer.pictureRect.width
        height: mediaPlayer.pictureRect.height
        visible: mediaPlayer.statusText === ""

        Repeater {
            model: mediaPlayer.detections
            Rectangle {
                objectName: mediaPlayer.objectName + "Box_" + index
                x: modelData.x * parent.width
                y: modelData.y * parent.height
                width: modelData.width * parent.width
                height: modelData.height * parent.height
                color: LynAppStyle.transparent
                border.color: LynAppStyle.detectionColor
                border.width: 2

                Rectangle {
                    x: 0
                    y: parent.height >= label.height * 2 ? 0 : -label.height
                    width: label.width + 2 * LynAppStyle.smallSpacing
                    height: label.height
                    color: LynAppStyle.detectionColor
                    LynText {
                        id: label
                        objectName: mediaPlayer.objectName + "BoxLabel_" + index
                        x: LynAppStyle.smallSpacing
                        text: qsTr("%1 %2%").arg(modelData.label).arg(Math.round(modelData.probability * 100))
                        color: LynAppStyle.textOnAccentColor
                        font.pointSize: LynAppStyle.smallFontSize
                    }
                }
            }
        }
    }

    LynLabel {
        objectName: mediaPlayer.objectName + "Status"
        anchors.centerIn: parent
        width: parent.width - 2 * LynAppStyle.spacing
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        visible: text !== ""
        text: mediaPlayer.statusText
        font.pointSize: LynAppStyle.titleFontSize
        color: LynAppStyle.textColor
    }

    Rectangle {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: LynAppStyle.smallSpacing
        width: badge.width + 2 * LynAppStyle.smallSpacing
        height: badge.height
        radius: LynAppStyle.radius
        color: LynAppStyle.shadowColor
        visible: mediaPlayer.badgeVisible && mediaPlayer.statusText === "" && mediaPlayer.frameSize.width > 0
        LynText {
            id: badge
            objectName: mediaPlayer.objectName + "Badge"
            x: LynAppStyle.smallSpacing
            text: qsTr("%1x%2 %3 fps").arg(mediaPlayer.frameSize.width).arg(mediaPlayer.frameSize.height)
                  .arg(mediaPlayer.source ? Math.round(mediaPlayer.source.frameRate) : 0)
            font.pointSize: LynAppStyle.smallFontSize
            color: LynAppStyle.textColor
        }
    }
}
