import QtQuick 2.15
import QtQuick.Controls 2.15
import "../../misc"

Label {
    color: enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight
}
