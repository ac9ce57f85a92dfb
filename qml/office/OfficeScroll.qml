import QtQuick 2.15

// All pictures one below the other, scrolling upwards without end under an
// optional fixed header picture. Two identical columns follow each other;
// the offset is whole pixels taken from elapsed time, so the speed in pixels
// per second holds at any frame rate. Motion starts startDelay ms after start().
// Pictures far from the view are not kept decoded.
Item {
    id: sc

    property var pictures: []
    property string headerUrl: ""
    property real speed: 60
    property int startDelay: 2000
    // Elapsed milliseconds of motion, advanced by the clock animation.
    property real elapsed: 0
    // The header never takes more than half of the widget.
    readonly property real headerHeight: header.status === Image.Ready
            ? Math.min(Math.round(header.implicitHeight), Math.floor(height / 2)) : 0
    readonly property real pictureHeight: Math.max(1, height - headerHeight)
    readonly property real total: pictureHeight * pictures.length
    readonly property real offset: total > 0 ? Math.floor(elapsed * speed / 1000) % total : 0

    // The widget frame above, whose realPercent is the canvas zoom.
    property Item frame: findFrame()
    readonly property real zoom: frame && frame.realPercent > 0 ? frame.realPercent : 1

    function findFrame() {
        for (var p = sc.parent; p; p = p.parent) {
            if (p.realPercent !== undefined)
                return p
        }
        return null
    }

    function decodeSide(v) {
        return Math.max(1, Math.min(4096, Math.ceil(v * zoom)))
    }

    function start() {
        elapsed = 0
        delay.restart()
    }

    function pause() {
        if (delay.running)
            delay.stop()
        clock.pause()
    }

    function resume() {
        if (clock.paused)
            clock.resume()
        else if (!clock.running)
            delay.restart()
    }

    Timer {
        id: delay
        interval: sc.startDelay
        onTriggered: {
            if (sc.speed > 0)
                clock.start()
        }
    }

    NumberAnimation {
        id: clock
        target: sc
        property: "elapsed"
        from: 0
        to: 1e9
        duration: 1e9
    }

    Item {
        id: viewport
        y: sc.headerHeight
        width: sc.width
        height: sc.pictureHeight
        clip: true

        Repeater {
            model: 2
            Column {
                id: column
                y: index * sc.total - sc.offset
                width: viewport.width
                Repeater {
                    model: sc.pictures
                    Image {
                        // Only pictures on screen or one picture away keep a
                        // decoded copy; both columns share it.
                        readonly property real topY: column.y + index * sc.pictureHeight
                        readonly property bool nearView: topY < viewport.height + sc.pictureHeight
                                                     && topY + sc.pictureHeight > -sc.pictureHeight
                        width: viewport.width
                        height: sc.pictureHeight
                        source: nearView ? modelData.url : ""
                        asynchronous: true
                        cache: true
                        sourceSize: Qt.size(sc.decodeSide(width), sc.decodeSide(height))
                        fillMode: Image.Stretch
                    }
                }
            }
        }
    }

    Image {
        id: header
        width: sc.width
        height: sc.headerHeight
        visible: sc.headerUrl !== "" && sc.headerHeight > 0
        source: sc.headerUrl
        asynchronous: true
        fillMode: Image.Stretch
    }
}
