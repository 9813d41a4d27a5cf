import QtQuick 2.15
import QtQuick.Layouts 1.15
import "text"
import "../misc"

// Caption and combo box on one row of a form.
RowLayout {
    id: row

    property alias label: caption.text
    property alias model: combo.model
    property alias textRole: combo.textRole
    property alias valueRole: combo.valueRole
    property alias currentIndex: combo.currentIndex
    property alias currentValue: combo.currentValue
    property alias currentText: combo.currentText
    property alias comboBox: combo
    property int labelWidth: 140

    signal activated(int index)

    spacing: LynAppStyle.spacing

    LynLabel {
        id: caption
        Layout.preferredWidth: row.labelWidth
    }
    LynComboBox {
        id: combo
        objectName: row.objectName + "ComboBox"
        Layout.fillWidth: true
        onActivated: function(index) { row.activated(index) }
    }
}
