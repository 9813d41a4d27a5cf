import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

// A checkable list over any model; `selectedKeys` holds the `keyRole` values of the checked rows.
ListView {
    id: list

    property string textRole: "name"
    property string keyRole: "rowID"
    property var selectedKeys: []

    signal selectionEdited(var keys)

    function isSelected(key) {
        return selectedKeys.indexOf(key) >= 0
    }

    function setSelected(key, on) {
        var keys = selectedKeys.filter(function(k) { return k !== key })
        if (on)
            keys.push(key)
        selectedKeys = keys
        selectionEdited(keys)
    }

    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    delegate: LynCheckBox {
        objectName: list.objectName + "Item_" + index
        width: list.width
        text: model[list.textRole]
        checked: list.isSelected(model[list.keyRole])
        onToggled: list.setSelected(model[list.keyRole], checked)
    }
}
