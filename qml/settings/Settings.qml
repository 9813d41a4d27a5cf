import QtQuick 2.15
import "../components/text"
import "../misc"

// Settings screen: still to be built.
Rectangle {
    property QtObject globalObjects

    color: LynAppStyle.windowColor
    LynLabel {
        anchors.centerIn: parent
        text: qsTr("Settings")
        color: LynAppStyle.textDisabledColor
        font.pointSize: LynAppStyle.headerFontSize
    }
}
