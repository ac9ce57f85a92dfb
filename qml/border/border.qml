import QtQuick 2.15
import com.kest.borderProvider 1.0

// A widget's decorative border: four strips of a repeated figure (or a band,
// or the user's picture) painted whole by BorderProvider, each shown as two copies
// end to end that run around the widget clockwise or anticlockwise. The
// strips are painted at the drawn thickness, so figures keep their shape at
// every zoom; positions are whole pixels taken from elapsed time.
Item {
    id: border

    // The description from the widget: style, width, colours, imagePath, effects.
    property var m_border: null
    // Thickness from the description, in canvas pixels at 100 %.
    property real realBorderWidth: 0
    // The canvas zoom (1 = 100 %).
    property real realPercent: 1
    readonly property bool band: m_border !== null && m_border.style === 5
    // The drawn thickness: the same on screen at every zoom, never below one pixel.
    readonly property real borderWidth: Math.max(1, Math.round(realBorderWidth / (realPercent > 0 ? realPercent : 1)))
    readonly property real backWidth: band ? 0 : Math.max(1, Math.round(2 / (realPercent > 0 ? realPercent : 1)))
    readonly property real elemWidth: borderWidth + 2 * backWidth
    readonly property real diffWidth: band ? 0 : elemWidth - (Math.round(width) % elemWidth)
    readonly property real diffHeight: band ? 0 : elemWidth - (Math.round(height) % elemWidth)
    readonly property real rowLength: Math.round(width) + diffWidth
    readonly property real colLength: Math.round(height) + diffHeight
    property int speedbyPix: 60
    property bool clockwise: true
    // Elapsed milliseconds of motion, advanced by the clock animation.
    property real elapsed: 0
    readonly property real rowOffset: rowLength > 0 ? Math.floor(elapsed * speedbyPix / 1000) % rowLength : 0
    readonly property real colOffset: colLength > 0 ? Math.floor(elapsed * speedbyPix / 1000) % colLength : 0
    property string topUrl: ""
    property string bottomUrl: ""
    property string leftUrl: ""
    property string rightUrl: ""
    property bool completed: false

    anchors.fill: parent
    // One clip for the four strips, whose second copies reach beyond the widget.
    clip: true

    BorderProvider {
        id: provider
    }

    function play() {
        if (!completed || !m_border || width < 1 || height < 1)
            return
        if (band)
            console.log("backWidth = 0:" + m_border.style)
        if (!provider.setModel(JSON.stringify(m_border), rowLength, colLength, backWidth, borderWidth)) {
            topUrl = bottomUrl = leftUrl = rightUrl = ""
            clock.stop()
            return
        }
        topUrl = "file://" + provider.getImagePathTop()
        bottomUrl = "file://" + provider.getImagePathBottom()
        leftUrl = "file://" + provider.getImagePathLeft()
        rightUrl = "file://" + provider.getImagePathRight()
        var effects = m_border.effects && typeof m_border.effects === "object" ? m_border.effects : {}
        var speed = effects.speed
        speedbyPix = typeof speed === "number" && speed >= 0 && speed <= 500 ? speed : 60
        console.log("speedbyPix is:" + speedbyPix)
        clockwise = effects.animation !== "ANTI_CLOCK_WISE"
        if (!clock.running) {
            elapsed = 0
            if (speedbyPix > 0)
                clock.start()
        } else if (speedbyPix === 0) {
            clock.stop()
        }
    }

    function pause() {
        clock.pause()
    }

    function resume() {
        if (clock.paused)
            clock.resume()
    }

    onWidthChanged: Qt.callLater(play)
    onHeightChanged: Qt.callLater(play)
    onBorderWidthChanged: Qt.callLater(play)
    Component.onCompleted: completed = true

    NumberAnimation {
        id: clock
        target: border
        property: "elapsed"
        from: 0
        to: 1e9
        duration: 1e9
    }

    // Top: runs right when clockwise.
    Item {
        width: border.width
        height: border.borderWidth
        Repeater {
            model: 2
            Image {
                x: (border.clockwise ? -border.rowLength + border.rowOffset : -border.rowOffset)
                   + index * border.rowLength
                width: border.rowLength
                height: border.borderWidth
                source: border.topUrl
                cache: false
            }
        }
    }

    // Bottom: runs left when clockwise.
    Item {
        y: border.height - border.borderWidth
        width: border.width
        height: border.borderWidth
        Repeater {
            model: 2
            Image {
                x: (border.clockwise ? -border.rowOffset : -border.rowLength + border.rowOffset)
                   + index * border.rowLength
                width: border.rowLength
                height: border.borderWidth
                source: border.bottomUrl
                cache: false
            }
        }
    }

    // Left: runs up when clockwise.
    Item {
        width: border.borderWidth
        height: border.height
        Repeater {
            model: 2
            Image {
                y: (border.clockwise ? -border.colOffset : -border.colLength + border.colOffset)
                   + index * border.colLength
                width: border.borderWidth
                height: border.colLength
                source: border.leftUrl
                cache: false
            }
        }
    }

    // Right: runs down when clockwise.
    Item {
        x: border.width - border.borderWidth
        width: border.borderWidth
        height: border.height
        Repeater {
            model: 2
            Image {
                y: (border.clockwise ? -border.colLength + border.colOffset : -border.colOffset)
                   + index * border.colLength
                width: border.borderWidth
                height: border.colLength
                source: border.rightUrl
                cache: false
            }
        }
    }
}
