import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// Search field that reports its text once typing pauses.
LynTextField {
    id: control

    property int delay: 250

    signal filterChanged(string pattern)

    placeholderText: qsTr("Search")
    leftPadding: LynAppStyle.iconSize + LynAppStyle.spacing
    rightPadding: clearButton.visible ? clearButton.width : LynAppStyle.spacing

    onTextEdited: pause.restart()
    Keys.onEscapePressed: clear()
    onTextChanged: if (text === "") { pause.stop(); filterChanged("") }

    Timer {
        id: pause
        interval: control.delay
        onTriggered: control.filterChanged(control.text)
    }

    Image {
        anchors.left: parent.left
        anchors.leftMargin: LynAppStyle.smallSpacing
        anchors.verticalCenter: parent.verticalCenter
        width: LynAppStyle.smallIconSize
        height: width
        source: "qrc:/img/buttons/search.png"
        sourceSize: Qt.size(width * 2, height * 2)
        opacity: 0.7
    }

    MouseArea {
        id: clearButton
        objectName: control.objectName + "ClearButton"
        visible: control.text !== ""
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: control.height
        height: control.height
        cursorShape: Qt.PointingHandCursor
        onClicked: control.clear()

        Image {
            anchors.centerIn: parent
            width: LynAppStyle.smallIconSize
            height: width
            source: "qrc:/img/buttons/cancel.png"
            sourceSize: Qt.size(width * 2, height * 2)
            opacity: parent.containsMouse ? 1 : 0.7
        }
    }
}
