import QtQuick 2.15
import "../misc"

Rectangle {
    property bool vertical: false

    implicitWidth: vertical ? 1 : 10
    implicitHeight: vertical ? 10 : 1
    color: LynAppStyle.separatorColor
}
