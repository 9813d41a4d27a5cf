import QtQuick 2.15
import "../../misc"

// One day of the month page.
Rectangle {
    id: cell

    property date date
    property bool inMonth: true
    property bool selected: false
    property bool today: false
    property bool marked: false

    signal clicked()

    width: LynAppStyle.calendarCellSize
    height: LynAppStyle.calendarCellSize
    radius: LynAppStyle.radius
    color: selected ? LynAppStyle.accentColor
                    : mouse.containsMouse ? LynAppStyle.hoverColor : LynAppStyle.transparent
    border.width: today && !selected ? 1 : 0
    border.color: LynAppStyle.accentColor

    Text {
        anchors.centerIn: parent
        text: cell.date.getDate()
        font.family: LynAppStyle.fontFamily
        font.pointSize: LynAppStyle.fontSize
        color: cell.selected ? LynAppStyle.textOnAccentColor
                             : cell.inMonth ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
    }
    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 3
        width: 4
        height: 4
        radius: 2
        visible: cell.marked
        color: cell.selected ? LynAppStyle.textOnAccentColor : LynAppStyle.okColor
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: cell.clicked()
    }
}
