import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

TabBar {
    implicitHeight: LynAppStyle.tabBarHeight
    spacing: 0

    background: Rectangle {
        color: LynAppStyle.panelColor
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: LynAppStyle.separatorColor
        }
    }
}
