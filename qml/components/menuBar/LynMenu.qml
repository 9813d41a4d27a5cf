import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

Menu {
    id: menu

    delegate: LynMenuItem {}
    padding: LynAppStyle.smallSpacing
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize

    background: Rectangle {
        implicitWidth: 200
        color: LynAppStyle.popupColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }
}
