import QtQuick 2.15

// One guide line from (startX, startY) to (endX, endY) in canvas pixels.
Rectangle {
    property real startX: 0
    property real startY: 0
    property real endX: 0
    property real endY: 0
    property real lineWidth: 1

    readonly property real dx: endX - startX
    readonly property real dy: endY - startY

    x: startX
    y: startY - lineWidth / 2
    width: Math.sqrt(dx * dx + dy * dy)
    height: lineWidth
    transformOrigin: Item.Left
    rotation: Math.atan2(dy, dx) * 180 / Math.PI
    antialiasing: true
}
