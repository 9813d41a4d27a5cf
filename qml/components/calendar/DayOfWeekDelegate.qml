import QtQuick 2.15
import "../../misc"

Text {
    // 0 is Monday.
    property int day

    width: LynAppStyle.calendarCellSize
    height: LynAppStyle.calendarCellSize * 0.8
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.smallFontSize
    color: day >= 5 ? LynAppStyle.warningColor : LynAppStyle.textSecondaryColor
    text: Qt.locale().dayName((day + 1) % 7, Locale.ShortFormat)
}
