import QtQuick 2.15
import QtQuick.Layouts 1.15
import "text"
import "../misc"

// A slider with its caption and current value.
RowLayout {
    id: row

    property alias text: caption.text
    property alias from: slider.from
    property alias to: slider.to
    property alias value: slider.value
    property alias stepSize: slider.stepSize
    property int decimals: 0
    property string unit: ""

    signal moved(real value)

    spacing: LynAppStyle.spacing

    LynLabel {
        id: caption
        Layout.preferredWidth: 140
    }
    LynSlider {
        id: slider
        objectName: row.objectName + "Slider"
        Layout.fillWidth: true
        onMoved: row.moved(value)
    }
    LynLabel {
        objectName: row.objectName + "Value"
        Layout.preferredWidth: 56
        horizontalAlignment: Text.AlignRight
        text: row.unit === "" ? slider.value.toFixed(row.decimals)
                              : qsTr("%1 %2").arg(slider.value.toFixed(row.decimals)).arg(row.unit)
    }
}
