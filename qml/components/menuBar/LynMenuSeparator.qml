import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

MenuSeparator {
    contentItem: Rectangle {
        implicitWidth: 180
        implicitHeight: 1
        color: LynAppStyle.separatorColor
    }
}
