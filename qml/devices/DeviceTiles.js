.pragma library

// The first `count` tile indexes that no device of the model holds, in order.
function freeTiles(deviceModel, count) {
    var taken = {}
    for (var row = 0; row < deviceModel.rowCount; ++row) {
        var tile = deviceModel.originalData(row, "tileIndex")
        if (tile !== undefined && tile !== null && tile !== "" && tile !== false)
            taken[Number(tile)] = true
    }
    var free = []
    for (var index = 0; free.length < count; ++index) {
        if (!taken[index])
            free.push(index)
    }
    return free
}
