import QtQml 2.15

// Milliseconds since the epoch, told relative to now for recent times.
LynTableViewColumn {
    width: 150

    function displayText(value) {
        if (value === undefined || value === null || value === "")
            return ""
        var then = new Date(Number(value))
        var seconds = Math.floor((Date.now() - then.getTime()) / 1000)
        if (seconds >= 0 && seconds < 60)
            return qsTr("just now")
        if (seconds >= 0 && seconds < 3600)
            return qsTr("%1 min ago").arg(Math.floor(seconds / 60))
        var today = new Date()
        today.setHours(0, 0, 0, 0)
        if (then >= today)
            return qsTr("today %1").arg(Qt.formatTime(then, "hh:mm:ss"))
        if (then >= new Date(today.getTime() - 86400000))
            return qsTr("yesterday %1").arg(Qt.formatTime(then, "hh:mm:ss"))
        return Qt.formatDateTime(then, "dd.MM.yyyy hh:mm:ss")
    }
}
