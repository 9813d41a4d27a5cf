import QtQuick 2.15
import QtQuick.Layouts 1.15
import "text"
import "../misc"

// Caption and text field on one row of a form.
RowLayout {
    id: row

    property alias label: caption.text
    property alias text: field.text
    property alias placeholderText: field.placeholderText
    property alias echoMode: field.echoMode
    property alias readOnly: field.readOnly
    property alias validator: field.validator
    property alias field: field
    property int labelWidth: 140

    signal edited(string text)

    spacing: LynAppStyle.spacing

    LynLabel {
        id: caption
        Layout.preferredWidth: row.labelWidth
    }
    LynTextField {
        id: field
        objectName: row.objectName + "Field"
        Layout.fillWidth: true
        onTextEdited: row.edited(text)
    }
}
