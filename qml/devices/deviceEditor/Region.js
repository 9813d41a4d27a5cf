.pragma library

// A region of interest as fractions of the picture: {x, y, width, height}, each 0..1.

// Smallest side a region can be dragged to, so it always keeps a handle to grab.
var minimumSide = 0.02

function whole() {
    return { "x": 0, "y": 0, "width": 1, "height": 1 }
}

// A parameter value shaped as a region, whatever its parts hold.
function isRegion(value) {
    return value !== null && typeof value === "object" && !Array.isArray(value)
            && "x" in value && "y" in value && "width" in value && "height" in value
}

function fraction(part) {
    return typeof part === "number" && isFinite(part) && part >= 0 && part <= 1
}

// The value as a region when it lies inside the picture and is not empty, otherwise null.
function checked(value) {
    if (!isRegion(value) || !fraction(value.x) || !fraction(value.y)
            || !fraction(value.width) || !fraction(value.height))
        return null
    var slack = 1e-9
    if (value.width <= 0 || value.height <= 0 || value.x + value.width > 1 + slack || value.y + value.height > 1 + slack)
        return null
    return { "x": value.x, "y": value.y, "width": value.width, "height": value.height }
}

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value))
}

// Values stored with four decimals: a pixel of a 4K picture is still told apart.
function rounded(value) {
    return Math.round(value * 10000) / 10000
}

function tidy(x, y, width, height) {
    return { "x": rounded(x), "y": rounded(y), "width": rounded(width), "height": rounded(height) }
}

// The region spanned by a fixed corner and the pointer, kept inside the picture.
function spanned(anchorX, anchorY, pointerX, pointerY) {
    var px = clamp(pointerX, 0, 1)
    var py = clamp(pointerY, 0, 1)
    var left = Math.min(anchorX, px)
    var top = Math.min(anchorY, py)
    var width = Math.max(minimumSide, Math.abs(px - anchorX))
    var height = Math.max(minimumSide, Math.abs(py - anchorY))
    return tidy(Math.min(left, 1 - width), Math.min(top, 1 - height), width, height)
}

// The region shifted by a step, stopped at the picture's edges.
function moved(region, dx, dy) {
    return tidy(clamp(region.x + dx, 0, 1 - region.width), clamp(region.y + dy, 0, 1 - region.height),
                region.width, region.height)
}

// Where a picture of the given aspect ratio is drawn, fitted and centred in a box.
function fitted(aspect, boxWidth, boxHeight) {
    if (!(aspect > 0) || boxWidth <= 0 || boxHeight <= 0)
        return Qt.rect(0, 0, Math.max(0, boxWidth), Math.max(0, boxHeight))
    var width = Math.min(boxWidth, boxHeight * aspect)
    var height = width / aspect
    return Qt.rect((boxWidth - width) / 2, (boxHeight - height) / 2, width, height)
}
