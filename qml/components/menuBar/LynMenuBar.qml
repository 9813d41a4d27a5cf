import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

MenuBar {
    implicitHeight: LynAppStyle.titleBarHeight
    spacing: 0
    delegate: LynMenuBarItem {}
    background: Item {}
}
