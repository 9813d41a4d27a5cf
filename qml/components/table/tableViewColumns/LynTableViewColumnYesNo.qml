import QtQml 2.15

LynTableViewColumn {
    width: 72
    alignment: Qt.AlignHCenter

    function displayText(value) {
        return value === true || value === 1 || value === "yes" ? qsTr("Yes") : qsTr("No")
    }
}
