import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

// The grip between the tile grid and the events table.
Rectangle {
    implicitWidth: 6
    implicitHeight: 6
    color: SplitHandle.pressed ? LynAppStyle.accentColor
                               : SplitHandle.hovered ? LynAppStyle.hoverColor : LynAppStyle.separatorColor
}
