import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

// Two-digit field for one part of a time; arrows and the wheel step it.
LynTextField {
    id: control

    property int value: 0
    property int maximum: 59

    implicitWidth: 34
    horizontalAlignment: Text.AlignHCenter
    leftPadding: 2
    rightPadding: 2
    text: Utils.pad2(value)
    validator: IntValidator { bottom: 0; top: control.maximum }
    inputMethodHints: Qt.ImhDigitsOnly

    function step(delta) {
        value = (value + delta + maximum + 1) % (maximum + 1)
    }

    onEditingFinished: {
        value = Utils.clamp(parseInt(text, 10) || 0, 0, maximum)
        text = Utils.pad2(value)
    }
    Keys.onUpPressed: step(1)
    Keys.onDownPressed: step(-1)

    WheelHandler {
        onWheel: function(event) { control.step(event.angleDelta.y > 0 ? 1 : -1) }
    }
}
