import QtQuick 2.15
import "../../misc"

// Plain text for long or wrapped content.
Text {
    color: LynAppStyle.textColor
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    wrapMode: Text.WordWrap
    textFormat: Text.PlainText
}
