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
    // "text" or "checkBox": how the cell draws its value.
    property string kind: "text"

    function displayText(value) {
        return value === undefined || value === null ? "" : String(value)
    }
}
