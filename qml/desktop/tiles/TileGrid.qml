import QtQuick 2.15
import "../../misc"

// Live tiles in one of the eight layouts. A device sits in the cell whose
// index is its tileIndex; moving tiles rewrites tileIndex on the server.
Item {
    id: grid

    property QtObject deviceController
    property QtObject mediaPlayerContainer
    property string layoutName: "S2_2"
    // The first cell spans spanColumnsBig x spanRowsBig cells.
    property bool bigMode: false

    readonly property var layouts: ({
        "S1_1": [1, 1], "S2_2": [2, 2], "S3_3": [3, 3], "S4_4": [4, 4],
        "S4_4_ext": [8, 4], "S5_5": [5, 5], "S6_6": [6, 6], "S8_8": [8, 8]
    })
    readonly property int columns: (layouts[layoutName] || layouts["S2_2"])[0]
    readonly property int rows: (layouts[layoutName] || layouts["S2_2"])[1]
    readonly property bool bigActive: bigMode && columns >= 3 && rows >= 3
    readonly property int spanColumnsBig: bigActive ? columns - 1 : 1
    readonly property int spanRowsBig: bigActive ? rows - 1 : 1
    readonly property int tileCount: columns * rows - spanColumnsBig * spanRowsBig + 1
    // The largest layout bounds where a device can be placed.
    readonly property int maxTiles: 64
    readonly property int spacing: 2

    // tileIndex -> device record, rebuilt when the device table changes.
    property var deviceByTile: ({})
    // rowID -> the window a detached tile is shown in.
    property var detached: ({})

    function rebuild() {
        var model = deviceController ? deviceController.originalModel : null
        if (!model)
            return
        var byTile = {}
        var homeless = []
        for (var row = 0; row < model.rowCount; ++row) {
            var record = model.originalData(row)
            var index = Number(record.tileIndex)
            if (record.tileIndex === undefined || record.tileIndex === null || record.tileIndex === false
                    || !Number.isInteger(index) || index < 0 || index >= maxTiles || byTile[index] !== undefined)
                homeless.push(record)
            else
                byTile[index] = record
        }
        deviceByTile = byTile
        // New devices, and any that collide, take the first free tile.
        for (var i = 0; i < homeless.length; ++i) {
            var free = findFreeTile()
            if (free < 0)
                break
            placeDevice(homeless[i], free)
        }
    }

    function findFreeTile() {
        for (var index = 0; index < maxTiles; ++index) {
            if (deviceByTile[index] === undefined)
                return index
        }
        return -1
    }

    function placeDevice(record, index) {
        var byTile = Object.assign({}, deviceByTile)
        for (var key in byTile) {
            if (byTile[key].rowID === record.rowID)
                delete byTile[key]
        }
        var moved = Object.assign({}, record)
        moved.tileIndex = index
        byTile[index] = moved
        deviceByTile = byTile
        deviceController.trUpdate({ rowID: record.rowID, tileIndex: index })
    }

    // Dropping a tile on another exchanges their places; on an empty cell it moves there.
    function swapTilesByIndex(from, to) {
        if (from === to)
            return
        var a = deviceByTile[from]
        var b = deviceByTile[to]
        if (a === undefined)
            return
        if (b !== undefined)
            placeDevice(b, from)
        placeDevice(a, to)
    }

    function isDetached(rowID) {
        return detached[rowID] !== undefined
    }

    function detach(rowID) {
        if (isDetached(rowID))
            return
        var record = null
        for (var key in deviceByTile) {
            if (deviceByTile[key].rowID === rowID)
                record = deviceByTile[key]
        }
        if (record === null)
            return
        var window = detachedWindow.createObject(grid, { rowID: rowID, title: record.deviceName })
        var copy = Object.assign({}, detached)
        copy[rowID] = window
        detached = copy
        window.show()
    }

    function attach(rowID) {
        var window = detached[rowID]
        if (window === undefined)
            return
        var copy = Object.assign({}, detached)
        delete copy[rowID]
        detached = copy
        window.destroy()
    }

    onDeviceControllerChanged: rebuild()
    // The device table may have been loaded before this grid existed.
    Component.onCompleted: rebuild()
    Component.onDestruction: {
        for (var key in detached)
            detached[key].destroy()
    }

    Connections {
        target: grid.deviceController ? grid.deviceController.originalModel : null
        function onRowsInserted() { grid.rebuild() }
        function onRowsRemoved() { grid.rebuild() }
        function onModelReset() { grid.rebuild() }
        function onDataChanged() { grid.rebuild() }
    }

    // Cell `index` in grid units: the big tile first, then the free cells row by row.
    function cellOf(index) {
        if (bigActive && index === 0)
            return { column: 0, row: 0, columns: spanColumnsBig, rows: spanRowsBig }
        var n = bigActive ? 1 : 0
        for (var row = 0; row < rows; ++row) {
            for (var column = 0; column < columns; ++column) {
                if (bigActive && column < spanColumnsBig && row < spanRowsBig)
                    continue
                if (n === index)
                    return { column: column, row: row, columns: 1, rows: 1 }
                ++n
            }
        }
        return { column: 0, row: 0, columns: 0, rows: 0 }
    }

    Repeater {
        model: grid.tileCount
        TileHolder {
            readonly property var cell: grid.cellOf(index)
            readonly property real cellWidth: grid.width / grid.columns
            readonly property real cellHeight: grid.height / grid.rows

            objectName: "tile_" + index
            tileIndex: index
            x: cell.column * cellWidth + grid.spacing / 2
            y: cell.row * cellHeight + grid.spacing / 2
            width: cell.columns * cellWidth - grid.spacing
            height: cell.rows * cellHeight - grid.spacing
            record: grid.deviceByTile[index] === undefined ? null : grid.deviceByTile[index]
            stream: record && grid.mediaPlayerContainer ? grid.mediaPlayerContainer.streams[record.rowID] || null : null
            detached: record !== null && grid.detached[record.rowID] !== undefined
            onSwapRequested: function(from) { grid.swapTilesByIndex(from, tileIndex) }
            onDetachRequested: grid.detach(record.rowID)
            onAttachRequested: grid.attach(record.rowID)
        }
    }

    Component {
        id: detachedWindow
        DetachedTileWindow {
            stream: grid.mediaPlayerContainer ? grid.mediaPlayerContainer.streams[rowID] || null : null
            onAttachRequested: grid.attach(rowID)
        }
    }
}
