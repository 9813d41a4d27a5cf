import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../misc"

// Scroll bar over the day and the zoom between the whole day and a minute.
RowLayout {
    id: bar

    // The time box this bar steers.
    property Item box

    spacing: LynAppStyle.smallSpacing

    ScrollBar {
        id: scroll
        objectName: "archiveScrollBar"
        Layout.fillWidth: true
        orientation: Qt.Horizontal
        policy: ScrollBar.AlwaysOn
        size: bar.box ? bar.box.visibleSeconds / bar.box.daySeconds : 1
        position: bar.box ? bar.box.viewStart / bar.box.daySeconds : 0
        onPositionChanged: {
            if (pressed && bar.box)
                bar.box.setViewStart(position * bar.box.daySeconds)
        }
    }
    Slider {
        id: zoom
        objectName: "archiveZoomSlider"
        Layout.preferredWidth: 140
        from: 0
        to: 1
        // Logarithmic: each step of the slider multiplies the scale alike.
        value: bar.box ? Math.log(bar.box.pixelPerSecond / bar.box.minPixelPerSecond)
                         / Math.log(bar.box.maxPixelPerSecond / bar.box.minPixelPerSecond) : 0
        onMoved: bar.box.zoomTo(bar.box.minPixelPerSecond * Math.pow(bar.box.maxPixelPerSecond / bar.box.minPixelPerSecond, value))
    }
}
