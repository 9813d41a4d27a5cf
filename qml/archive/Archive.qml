import QtQuick 2.15
import "../components/text"
import "../misc"

// Archive screen: still to be built.
Rectangle {
    property QtObject globalObjects

    color: LynAppStyle.windowColor
    LynLabel {
        anchors.centerIn: parent
        text: qsTr("Archive")
        color: LynAppStyle.textDisabledColor
        font.pointSize: LynAppStyle.headerFontSize
    }
}
