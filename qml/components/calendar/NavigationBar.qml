import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../toolbuttons"
import "../text"
import "../../misc"

// Month and year of the calendar page with previous/next buttons.
RowLayout {
    id: bar

    property int month
    property int year

    signal previous()
    signal next()

    spacing: LynAppStyle.smallSpacing

    LynToolButtonBase {
        objectName: bar.objectName + "Previous"
        icon.source: "qrc:/img/calendar/prev.png"
        toolTipText: qsTr("Previous month")
        onClicked: bar.previous()
    }
    LynLabel {
        objectName: bar.objectName + "Title"
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        font.weight: Font.Medium
        text: qsTr("%1 %2").arg(Qt.locale().standaloneMonthName(bar.month)).arg(bar.year)
    }
    LynToolButtonBase {
        objectName: bar.objectName + "Next"
        icon.source: "qrc:/img/calendar/next.png"
        toolTipText: qsTr("Next month")
        onClicked: bar.next()
    }
}
