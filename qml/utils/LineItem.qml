import QtQuick 2.15

// One guide line from (startX, startY) to (endX, endY) in canvas pixels.
// Horizontal and vertical lines (all guide lines are) cover whole pixels on
// the far side of their coordinate, so they sit crisply on the edge they
// mark; other lines are drawn rotated and antialiased.
Rectangle {
    property real startX: 0
    property real startY: 0
    property real endX: 0
    property real endY: 0
    property real lineWidth: 1

    readonly property real dx: endX - startX
    readonly property real dy: endY - startY
    readonly property bool vertical: dx === 0
    readonly property bool horizontal: dy === 0 && !vertical

    x: vertical || horizontal ? Math.min(startX, endX) : startX
    y: vertical || horizontal ? Math.min(startY, endY) : startY - lineWidth / 2
    width: vertical ? lineWidth : (horizontal ? Math.abs(dx) : Math.sqrt(dx * dx + dy * dy))
    height: vertical ? Math.abs(dy) : lineWidth
    transformOrigin: Item.Left
    rotation: vertical || horizontal ? 0 : Math.atan2(dy, dx) * 180 / Math.PI
    antialiasing: !(vertical || horizontal)
}
