import QtQml 2.15

LynTableViewColumn {
    role: "rowID"
    title: qsTr("ID")
    width: 64
    alignment: Qt.AlignRight
}
