import QtQuick 2.15
import "../components/text"
import "../misc"

// Desktop screen: still to be built.
Rectangle {
    property QtObject globalObjects

    color: LynAppStyle.windowColor
    LynLabel {
        anchors.centerIn: parent
        text: qsTr("Desktop")
        color: LynAppStyle.textDisabledColor
        font.pointSize: LynAppStyle.headerFontSize
    }
}
