pragma Singleton
import QtQuick 2.15

// Small pure helpers.
QtObject {
    function pad2(value) {
        return value < 10 ? "0" + value : "" + value
    }

    function clamp(value, low, high) {
        return Math.max(low, Math.min(high, value))
    }

    function daysInMonth(year, month) {
        return new Date(year, month + 1, 0).getDate()
    }

    // Monday-based index (0..6) of the weekday of a date.
    function mondayBasedDay(date) {
        return (date.getDay() + 6) % 7
    }

    // Date shown in cell `index` (0..41) of a month page that starts on Monday.
    function calendarCellDate(year, month, index) {
        var first = new Date(year, month, 1)
        return new Date(year, month, 1 - mondayBasedDay(first) + index)
    }

    function sameDay(a, b) {
        return a.getFullYear() === b.getFullYear() && a.getMonth() === b.getMonth()
                && a.getDate() === b.getDate()
    }

    function formatDate(date) {
        return pad2(date.getDate()) + "." + pad2(date.getMonth() + 1) + "." + date.getFullYear()
    }

    function formatTime(date) {
        return pad2(date.getHours()) + ":" + pad2(date.getMinutes()) + ":" + pad2(date.getSeconds())
    }

    function formatDuration(seconds) {
        var s = Math.max(0, Math.floor(seconds))
        return pad2(Math.floor(s / 3600)) + ":" + pad2(Math.floor(s % 3600 / 60)) + ":" + pad2(s % 60)
    }

    function nextSortOrder(sameColumn, order) {
        return sameColumn && order === Qt.AscendingOrder ? Qt.DescendingOrder : Qt.AscendingOrder
    }
}
