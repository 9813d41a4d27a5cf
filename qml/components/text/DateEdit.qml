import QtQuick 2.15
import QtQuick.Controls 2.15
import "../calendar"
import "../../misc"

// A date field that opens a calendar.
LynTextField {
    id: control

    property date date: new Date()

    signal picked(date date)

    implicitWidth: 120
    readOnly: true
    text: Utils.formatDate(date)
    rightPadding: LynAppStyle.iconSize + LynAppStyle.spacing

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: popup.open()
    }

    Image {
        anchors.right: parent.right
        anchors.rightMargin: LynAppStyle.smallSpacing
        anchors.verticalCenter: parent.verticalCenter
        width: LynAppStyle.smallIconSize
        height: width
        source: "qrc:/img/calendar/calendar.png"
        sourceSize: Qt.size(width * 2, height * 2)
    }

    Popup {
        id: popup
        y: control.height
        padding: LynAppStyle.smallSpacing
        background: Rectangle {
            color: LynAppStyle.popupColor
            border.color: LynAppStyle.borderColor
            radius: LynAppStyle.radius
        }
        LynCalendar {
            objectName: control.objectName + "Calendar"
            selectedDate: control.date
            onDatePicked: function(date) {
                control.date = date
                control.picked(date)
                popup.close()
            }
        }
    }
}
