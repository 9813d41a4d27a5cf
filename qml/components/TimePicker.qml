import QtQuick 2.15
import QtQuick.Controls 2.15
import "buttons"
import "text"
import "../misc"

// A time-of-day field that opens a picker with hours, minutes and seconds.
LynTextField {
    id: control

    property int seconds: 0

    signal picked(int seconds)

    implicitWidth: 100
    readOnly: true
    text: Utils.formatDuration(seconds)

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: popup.open()
    }

    Popup {
        id: popup
        y: control.height
        padding: LynAppStyle.spacing
        background: Rectangle {
            color: LynAppStyle.popupColor
            border.color: LynAppStyle.borderColor
            radius: LynAppStyle.radius
        }
        Column {
            spacing: LynAppStyle.spacing
            TimeEdit {
                id: edit
                objectName: control.objectName + "Edit"
                seconds: control.seconds
            }
            LynDialogButtonBox {
                buttonNamePrefix: control.objectName
                onAccepted: {
                    control.seconds = edit.seconds
                    control.picked(edit.seconds)
                    popup.close()
                }
                onRejected: popup.close()
            }
        }
    }
}
