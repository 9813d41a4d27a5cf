import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../components/calendar"
import "../components/text"
import "../components/toolBar"
import "../misc"

// The day of the events and the tile layout.
LynToolBar {
    id: bar

    property string layoutName: "S2_2"
    property bool bigMode: false
    // The day whose events are listed, or null for every day.
    property var day: null

    signal layoutChosen(string name)
    signal bigModeToggled(bool on)
    signal dayChosen(var day)

    readonly property var layoutButtons: [
        { name: "S1_1", icon: "qrc:/img/toolBar/panels_1.png", text: qsTr("1 tile") },
        { name: "S2_2", icon: "qrc:/img/toolBar/panels_4.png", text: qsTr("4 tiles") },
        { name: "S3_3", icon: "qrc:/img/toolBar/panels_9.png", text: qsTr("9 tiles") },
        { name: "S4_4", icon: "qrc:/img/toolBar/panels_16.png", text: qsTr("16 tiles") },
        { name: "S4_4_ext", icon: "qrc:/img/toolBar/panels_32.png", text: qsTr("32 tiles") },
        { name: "S5_5", icon: "qrc:/img/toolBar/panels_25.png", text: qsTr("25 tiles") },
        { name: "S6_6", icon: "qrc:/img/tiles/panels_36.png", text: qsTr("36 tiles") },
        { name: "S8_8", icon: "qrc:/img/toolBar/panels_64.png", text: qsTr("64 tiles") }
    ]

    LynToolButton {
        id: calendarButton
        objectName: "desktopCalendarButton"
        text: qsTr("Day of the events")
        icon.source: "qrc:/img/calendar/calendar.png"
        checked: bar.day !== null
        onClicked: calendarPopup.open()

        Popup {
            id: calendarPopup
            objectName: "desktopCalendarPopup"
            y: calendarButton.height
            padding: LynAppStyle.spacing
            background: Rectangle {
                color: LynAppStyle.popupColor
                border.color: LynAppStyle.borderColor
                radius: LynAppStyle.radius
            }
            contentItem: LynCalendar {
                selectedDate: bar.day === null ? new Date() : bar.day
                onDatePicked: function(date) {
                    calendarPopup.close()
                    bar.dayChosen(new Date(date.getFullYear(), date.getMonth(), date.getDate()))
                }
            }
        }
    }
    LynLabel {
        objectName: "desktopDayLabel"
        text: bar.day === null ? qsTr("All days") : Utils.formatDate(bar.day)
    }
    LynToolButton {
        objectName: "desktopAllDaysButton"
        visible: bar.day !== null
        text: qsTr("All days")
        icon.source: "qrc:/img/buttons/cancel.png"
        onClicked: bar.dayChosen(null)
    }

    Item { Layout.fillWidth: true }

    Repeater {
        model: bar.layoutButtons
        LynToolButton {
            objectName: "layoutButton_" + modelData.name
            text: modelData.text
            icon.source: modelData.icon
            checked: bar.layoutName === modelData.name
            onClicked: bar.layoutChosen(modelData.name)
        }
    }
    LynToolButton {
        objectName: "layoutButtonBig"
        text: qsTr("One big tile")
        icon.source: "qrc:/img/toolBar/panels_big.png"
        checked: bar.bigMode
        onClicked: bar.bigModeToggled(!bar.bigMode)
    }
}
