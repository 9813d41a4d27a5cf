import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../../misc"

// The state of one search result: a dot, green for a camera that answered.
Item {
    id: cell

    property var value
    property int row: -1
    // The `state` value of a camera that answered the search.
    property int foundState: 1
    readonly property bool found: Number(value) === foundState

    Rectangle {
        objectName: "searchState_" + cell.row
        anchors.centerIn: parent
        width: 10
        height: 10
        radius: 5
        color: cell.found ? LynAppStyle.okColor : LynAppStyle.textDisabledColor
    }

    ToolTip.visible: hover.hovered
    ToolTip.delay: LynAppStyle.toolTipDelay
    ToolTip.text: cell.found ? qsTr("Answered") : qsTr("No answer")
    HoverHandler { id: hover }
}
