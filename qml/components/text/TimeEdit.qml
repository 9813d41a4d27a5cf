import QtQuick 2.15
import "../../misc"

// Hours, minutes and seconds; `seconds` is the time of day in seconds.
Row {
    id: control

    property int seconds: 0
    property bool showSeconds: true

    signal edited(int seconds)

    spacing: 2

    function apply() {
        seconds = hours.value * 3600 + minutes.value * 60 + (showSeconds ? secs.value : 0)
        edited(seconds)
    }

    TimeDigit {
        id: hours
        objectName: control.objectName + "Hours"
        maximum: 23
        value: Math.floor(control.seconds / 3600)
        onValueChanged: control.apply()
    }
    LynLabel { text: ":"; height: hours.height }
    TimeDigit {
        id: minutes
        objectName: control.objectName + "Minutes"
        value: Math.floor(control.seconds % 3600 / 60)
        onValueChanged: control.apply()
    }
    LynLabel { text: ":"; height: hours.height; visible: control.showSeconds }
    TimeDigit {
        id: secs
        objectName: control.objectName + "Seconds"
        visible: control.showSeconds
        value: control.seconds % 60
        onValueChanged: control.apply()
    }
}
