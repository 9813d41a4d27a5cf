import QtQuick 2.15
import "../../misc"

// Month page starting on Monday. Days of the shown month are named calendarDay_<day>.
Column {
    id: calendar

    property date selectedDate: new Date()
    property int month: new Date().getMonth()
    property int year: new Date().getFullYear()
    // Days (as "yyyy-MM-dd") that get a mark, e.g. days with records.
    property var markedDays: []

    signal datePicked(date date)

    function showMonth(delta) {
        var d = new Date(year, month + delta, 1)
        month = d.getMonth()
        year = d.getFullYear()
    }

    // The page follows a date chosen from outside.
    onSelectedDateChanged: {
        month = selectedDate.getMonth()
        year = selectedDate.getFullYear()
    }
    Component.onCompleted: {
        month = selectedDate.getMonth()
        year = selectedDate.getFullYear()
    }

    spacing: LynAppStyle.smallSpacing

    Keys.onLeftPressed: showMonth(-1)
    Keys.onRightPressed: showMonth(1)

    NavigationBar {
        objectName: "calendarNavigation"
        width: parent.width
        month: calendar.month
        year: calendar.year
        onPrevious: calendar.showMonth(-1)
        onNext: calendar.showMonth(1)
    }
    Row {
        Repeater {
            model: 7
            DayOfWeekDelegate { day: index }
        }
    }
    Grid {
        columns: 7
        Repeater {
            model: 42
            DayDelegate {
                readonly property date cellDate: Utils.calendarCellDate(calendar.year, calendar.month, index)
                objectName: inMonth ? "calendarDay_" + cellDate.getDate() : ""
                date: cellDate
                inMonth: cellDate.getMonth() === calendar.month
                selected: Utils.sameDay(cellDate, calendar.selectedDate)
                today: Utils.sameDay(cellDate, new Date())
                marked: calendar.markedDays.indexOf(Qt.formatDate(cellDate, "yyyy-MM-dd")) >= 0
                onClicked: {
                    calendar.selectedDate = cellDate
                    calendar.datePicked(cellDate)
                }
            }
        }
    }
}
