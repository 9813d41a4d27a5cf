import QtQml 2.15

// A check box per row bound to a boolean role; toggling is reported, the model decides.
LynTableViewColumn {
    kind: "checkBox"

    signal toggled(int row, bool checked)

    width: 40
    sortable: false
    alignment: Qt.AlignHCenter
}
