import QtQuick 2.15
import "../../components/text"
import "../../misc"

// Frame of a tile: border, and the device name along the top over the picture.
Rectangle {
    id: decorate

    property string title: ""
    property bool active: false
    default property alias content: body.data

    color: LynAppStyle.videoBackgroundColor
    border.color: active ? LynAppStyle.tileActiveBorderColor : LynAppStyle.tileBorderColor
    border.width: LynAppStyle.borderWidth

    Item {
        id: body
        anchors.fill: parent
        anchors.margins: decorate.border.width
    }

    Rectangle {
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: LynAppStyle.smallSpacing
        width: Math.min(name.implicitWidth + 2 * LynAppStyle.smallSpacing, parent.width - 2 * LynAppStyle.smallSpacing)
        height: name.implicitHeight
        radius: LynAppStyle.radius
        color: LynAppStyle.shadowColor
        visible: decorate.title !== ""
        LynLabel {
            id: name
            x: LynAppStyle.smallSpacing
            width: parent.width - 2 * LynAppStyle.smallSpacing
            text: decorate.title
            font.pointSize: LynAppStyle.smallFontSize
        }
    }
}
