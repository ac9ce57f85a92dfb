.pragma library

// Fold rectangles of an over-length screen, concatenated into one strip:
// horizontally (orientation 0) the strip is as wide as all rectangles and as
// high as the first; vertically the other way round. Each rectangle shows the
// strip section that starts at the running sum of the sizes before it.

function strip(fold) {
    var items = fold.layoutItems
    var sections = []
    var sum = 0
    for (var i = 0; i < items.length; ++i) {
        var r = items[i]
        if (fold.orientation === 1) {
            sections.push({ x: r.x, y: r.y, width: r.width, height: r.height, sx: 0, sy: sum })
            sum += r.height
        } else {
            sections.push({ x: r.x, y: r.y, width: r.width, height: r.height, sx: sum, sy: 0 })
            sum += r.width
        }
    }
    if (items.length === 0)
        return { width: 0, height: 0, sections: [] }
    if (fold.orientation === 1)
        return { width: items[0].width, height: sum, sections: sections }
    return { width: sum, height: items[0].height, sections: sections }
}
