import QtQml 2.15

// One column of a LynTableView: which role it shows, its title and width.
QtObject {
    property string role: ""
    property string title: ""
    property int width: 120
    // The column takes the width the fixed columns leave (all stretching columns share it).
    property bool stretch: false
    property bool visible: true
    property bool sortable: true
    property int alignment: Qt.AlignLeft
    // "text", "checkBox" or "custom": how the cell draws its value.
    property string kind: "text"
    // For "custom": drawn with the properties `value` and `row` set.
    property Component cellDelegate: null

    function displayText(value) {
        return value === undefined || value === null ? "" : String(value)
    }
}
