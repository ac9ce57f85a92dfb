import QtQuick 2.15

// Moving and resizing of a target item by mouse: a move area over the
// target's inside and eight handles on its edges and corners, shown while the
// target is selected. Positions are clamped to the canvas and snapped through
// linePainter (when set).
Item {
    id: frame

    property Item target: null
    property string itemUuid: ""
    property real areaMarginSize: 12
    property bool choosed: false
    property bool dragEnable: true
    property bool movable: true
    property real minimumX: 0
    property real maximumX: 0
    property real minimumY: 0
    property real maximumY: 0
    property real canvasWidth: 0
    property real canvasHeight: 0
    // Offsets of the last mouse step and the values snapping gave last.
    property real offsetX: 0
    property real offsetY: 0
    property real lastSnapX: 0
    property real lastSnapY: 0
    property var linePainter: null

    readonly property int edgeLeft: 1
    readonly property int edgeTop: 2
    readonly property int edgeRight: 4
    readonly property int edgeBottom: 8
    readonly property bool handlesShown: choosed && dragEnable

    signal widgetDoubleClicked()
    signal dragPressed()
    signal dragReleased()
    signal movePressed()
    signal moveReleased()

    function clearGuideLines() {
        if (linePainter)
            linePainter.clearLines()
    }

    // Each snap asks the painter for one coordinate; the answer is taken only
    // when the painter says it snapped.
    function snapX(x, y, w, h, compensate) {
        if (!linePainter)
            return { "x": x, "w": w }
        linePainter.type = 0
        var v = linePainter.getAbsorbentValue(x, y, w, h, true)
        if (linePainter.enableDrag && v !== x) {
            if (compensate)
                w = (x - v) + w
            x = v
            lastSnapX = v
        }
        return { "x": x, "w": w }
    }

    function snapY(x, y, w, h, compensate) {
        if (!linePainter)
            return { "y": y, "h": h }
        linePainter.type = 1
        var v = linePainter.getAbsorbentValue(x, y, w, h, true)
        if (linePainter.enableDrag && v !== y) {
            if (compensate)
                h = (y - v) + h
            y = v
            lastSnapY = v
        }
        return { "y": y, "h": h }
    }

    function snapSize(x, y, w, h, height) {
        if (!linePainter)
            return height ? h : w
        linePainter.type = height ? 3 : 2
        var v = linePainter.getAbsorbentValue(x, y, w, h, false)
        var given = height ? h : w
        return (linePainter.enableDrag && v !== given) ? v : given
    }

    function moveBy(dx, dy) {
        if (!target)
            return
        offsetX = dx
        offsetY = dy
        var x = target.x + dx
        if (x < minimumX)
            x = minimumX
        else if (x > maximumX)
            x = maximumX
        var y = target.y + dy
        if (y < minimumY)
            y = minimumY
        else if (y > maximumY)
            y = maximumY
        clearGuideLines()
        var w = target.width, h = target.height
        x = snapX(x, y, w, h, false).x
        y = snapY(x, y, w, h, false).y
        if (x !== target.x)
            target.x = x
        if (y !== target.y)
            target.y = y
    }

    function resizeBy(edges, dx, dy) {
        if (!target)
            return
        var ox = target.x, oy = target.y, ow = target.width, oh = target.height
        var x = ox, y = oy, w = ow, h = oh
        if (edges & edgeLeft) {
            if (dx < w) {
                x += dx
                w -= dx
            }
            if (x < 0) {
                x = 0
                w = ox + ow
            }
        }
        if (edges & edgeTop) {
            if (dy < h) {
                y += dy
                h -= dy
            }
            if (y < 0) {
                y = 0
                h = oy + oh
            }
        }
        if (edges & edgeRight) {
            if (w + dx > 0)
                w += dx
            if (x + w > canvasWidth)
                w = canvasWidth - x
        }
        if (edges & edgeBottom) {
            if (h + dy > 0)
                h += dy
            if (y + h > canvasHeight)
                h = canvasHeight - y
        }
        clearGuideLines()
        if (edges & edgeLeft) {
            var sx = snapX(x, y, w, h, true)
            x = sx.x
            w = sx.w
        }
        if (edges & edgeTop) {
            var sy = snapY(x, y, w, h, true)
            y = sy.y
            h = sy.h
        }
        if (edges & edgeRight)
            w = snapSize(x, y, w, h, false)
        if (edges & edgeBottom)
            h = snapSize(x, y, w, h, true)
        if (x !== target.x)
            target.x = x
        if (y !== target.y)
            target.y = y
        if (w !== target.width)
            target.width = w
        if (h !== target.height)
            target.height = h
    }

    // The move area: the inside of the target less the handle margin.
    MouseArea {
        id: moveArea
        objectName: "moveArea"
        anchors.fill: parent
        anchors.margins: frame.areaMarginSize
        enabled: frame.movable
        acceptedButtons: Qt.LeftButton
        property real pressX: 0
        property real pressY: 0

        onPressed: {
            pressX = mouse.x
            pressY = mouse.y
            cursorShape = Qt.SizeAllCursor
            frame.clearGuideLines()
            frame.movePressed()
        }
        onPositionChanged: {
            if (pressed && frame.dragEnable)
                frame.moveBy(mouse.x - pressX, mouse.y - pressY)
        }
        onReleased: {
            cursorShape = Qt.ArrowCursor
            frame.moveReleased()
        }
        onDoubleClicked: frame.widgetDoubleClicked()
    }

    component Handle: MouseArea {
        property int edges: 0
        property real pressX: 0
        property real pressY: 0
        acceptedButtons: Qt.LeftButton
        z: 2
        onPressed: {
            pressX = mouse.x
            pressY = mouse.y
            frame.clearGuideLines()
            frame.dragPressed()
        }
        onPositionChanged: {
            if (pressed && frame.choosed && frame.dragEnable)
                frame.resizeBy(edges, mouse.x - pressX, mouse.y - pressY)
        }
        onReleased: frame.dragReleased()
    }

    readonly property real half: areaMarginSize / 2

    // The handles exist only while they can be used: most widgets on a
    // canvas are not selected.
    Loader {
        id: handles
        objectName: "handles"
        anchors.fill: parent
        z: 2
        active: frame.handlesShown
        sourceComponent: Item {
            Handle {
                objectName: "handleTopLeft"
                edges: frame.edgeLeft | frame.edgeTop
                x: -frame.half; y: -frame.half; width: frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeFDiagCursor
            }
            Handle {
                objectName: "handleTop"
                edges: frame.edgeTop
                x: frame.half; y: 0; width: frame.width - frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeVerCursor
            }
            Handle {
                objectName: "handleTopRight"
                edges: frame.edgeRight | frame.edgeTop
                x: frame.width - frame.half; y: -frame.half; width: frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeBDiagCursor
            }
            Handle {
                objectName: "handleRight"
                edges: frame.edgeRight
                x: frame.width - frame.areaMarginSize; y: frame.half
                width: frame.areaMarginSize; height: frame.height - frame.areaMarginSize
                cursorShape: Qt.SizeHorCursor
            }
            Handle {
                objectName: "handleBottomRight"
                edges: frame.edgeRight | frame.edgeBottom
                x: frame.width - frame.half; y: frame.height - frame.half
                width: frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeFDiagCursor
            }
            Handle {
                objectName: "handleBottom"
                edges: frame.edgeBottom
                x: frame.half; y: frame.height - frame.areaMarginSize
                width: frame.width - frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeVerCursor
            }
            Handle {
                objectName: "handleBottomLeft"
                edges: frame.edgeLeft | frame.edgeBottom
                x: -frame.half; y: frame.height - frame.half; width: frame.areaMarginSize; height: frame.areaMarginSize
                cursorShape: Qt.SizeBDiagCursor
            }
            Handle {
                objectName: "handleLeft"
                edges: frame.edgeLeft
                x: 0; y: frame.half; width: frame.areaMarginSize; height: frame.height - frame.areaMarginSize
                cursorShape: Qt.SizeHorCursor
            }
        }
    }
}
