import QtQuick 2.15
import an.kest.text 1.0
import "com"
import "js/jRichText.js" as JR
import "js/jtexthandle.js" as TH

// Scrolling rich text: copies of the text in one Row (left/right) or Column
// (up/down) that moves across the widget, entering from outside (first pass)
// and then repeating seamlessly (second pass). Positions follow elapsed time,
// so a speed in pixels per second holds at any frame rate.
Rectangle {
    id: root

    signal pageSwitchGrabImage()

    property var info: null
    property string animation: "MARQUEE_LEFT"
    property bool horizontal: true
    property bool jagged: false
    property bool synced: false
    // "direct" (smooth), "sharp" (whole pixels) or "audio" (rounded, one pass).
    property string mode: "direct"
    property real speed: 60
    property real textLen: 0
    property real gap: 0
    property int copies: 0
    property string html: ""
    property bool ready: false

    // The two passes: start and end positions, durations in milliseconds.
    property real firstFrom: 0
    property real firstTo: 0
    property real firstDuration: 0
    property real secondFrom: 0
    property real secondTo: 0
    property real secondDuration: 0
    property bool repeatSecond: true

    // Elapsed milliseconds of motion, advanced by the clock animation.
    property real elapsed: 0
    property real position: 0

    clip: true
    color: info ? info.backgroundColor : "transparent"

    function ceilDuration(distance) {
        return Math.ceil(Math.abs(distance) * 1000 / speed)
    }

    function init(inf) {
        info = inf
        jagged = inf.textAntialiasing === true
        synced = inf.backgroundMusic.isTextSync && inf.backgroundMusic.duration > 0
        var eff = inf.displayStyle.scrollAttributes.effects
        animation = eff.animation
        speed = eff.speed
        horizontal = animation === "MARQUEE_LEFT" || animation === "MARQUEE_RIGHT" || animation === "PAN_LEFT"
        if (synced)
            mode = "audio"
        else if (jagged || animation === "PAN_LEFT")
            mode = "sharp"
        else
            mode = "direct"
        resetText(inf.paragraphs)
    }

    function measureText(paragraphs) {
        var len = 0
        if (animation === "MARQUEE_LEFT" || animation === "MARQUEE_RIGHT") {
            html = TH.getHtmltext(paragraphs, info.attrMap, animation, null)
            measure.wrapMode = Text.NoWrap
            measure.width = -1
            measure.text = html
            len = Math.floor(measure.contentWidth)
        } else if (animation === "PAN_LEFT") {
            measure.wrapMode = Text.Wrap
            var pages = pager.layout(JR.layoutInput(paragraphs, info.attrMap, null), Math.floor(width), Math.floor(height), 1)
            html = pages.length ? pages[0] : ""
            measure.wrapMode = Text.Wrap
            measure.width = Math.floor(width)
            measure.text = html
            len = Math.ceil(measure.contentWidth)
        } else {
            html = TH.getHtmltext(paragraphs, info.attrMap, animation, null)
            measure.wrapMode = Text.Wrap
            measure.width = Math.floor(width)
            measure.text = html
            len = jagged ? Math.floor(measure.contentHeight) : measure.contentHeight
        }
        return len
    }

    function resetText(paragraphs) {
        clock.stop()
        ready = false
        if (!info)
            return
        info.paragraphs = paragraphs
        var p0 = paragraphs.length ? paragraphs[0] : null
        textLen = html === "" && !p0 ? 0 : measureText(paragraphs)
        var w = horizontal ? width : height
        if (!(textLen > 0) || !(w > 0)) {
            console.log("scroll error info.textLen=" + textLen + " widget length=" + w)
            copies = 0
            return
        }
        var eff = info.displayStyle.scrollAttributes.effects
        gap = eff.isHeadTail && !synced ? eff.headTailSpacing : w
        var n = textLen <= w ? 1 + Math.floor(w / textLen) : 1
        if (n + 1 > copies)
            copies = n + 1
        if (p0) {
            hAlign = TH.qtHorizontalAlignment(p0.horizontalAlignment)
            vAlign = TH.qtVerticalAlignment(p0.verticalAlignment)
        }
        computePasses(w)
        ready = true
        if (speed <= 0 && !synced) {
            console.log("scroll speed 0: the text stands still")
        }
        restart()
    }

    property int hAlign: Qt.AlignLeft
    property int vAlign: Qt.AlignVCenter

    function computePasses(w) {
        var L = textLen, G = gap
        var T = copies * L + G * (copies - 1)
        var forward = animation === "MARQUEE_LEFT" || animation === "PAN_LEFT" || animation === "MARQUEE_UP"
        if (synced) {
            repeatSecond = false
            firstFrom = forward ? w : -T
            firstTo = forward ? -L : -T + w + L
            firstDuration = info.backgroundMusic.duration
            secondDuration = 0
            return
        }
        repeatSecond = true
        if (forward) {
            firstFrom = w
            firstTo = -(L + G)
            secondFrom = 0
            secondTo = -(L + G)
        } else {
            firstFrom = -T
            firstTo = -T + w + L + G
            secondFrom = w - T
            secondTo = firstTo
        }
        firstDuration = speed > 0 ? ceilDuration(firstTo - firstFrom) : 0
        secondDuration = speed > 0 ? ceilDuration(secondTo - secondFrom) : 0
    }

    // The exact position after t milliseconds of motion.
    function exactPosition(t) {
        if (firstDuration <= 0)
            return firstFrom
        if (t < firstDuration)
            return firstFrom + (firstTo - firstFrom) * t / firstDuration
        if (!repeatSecond || secondDuration <= 0)
            return firstTo
        var r = (t - firstDuration) % secondDuration
        return secondFrom + (secondTo - secondFrom) * r / secondDuration
    }

    // Whole-pixel position: the distance travelled so far, cut to whole pixels.
    function sharpPosition(t) {
        if (firstDuration <= 0)
            return firstFrom
        var dir = firstTo >= firstFrom ? 1 : -1
        var travelled = Math.floor(speed * t / 1000)
        var first = Math.abs(firstTo - firstFrom)
        if (travelled < first)
            return firstFrom + dir * travelled
        var second = Math.abs(secondTo - secondFrom)
        if (second <= 0)
            return firstTo
        var into = (travelled - first) % second
        return secondFrom + dir * into
    }

    function place() {
        var p
        if (mode === "sharp")
            p = sharpPosition(elapsed)
        else if (mode === "audio")
            p = Math.round(exactPosition(elapsed))
        else
            p = exactPosition(elapsed)
        position = p
        if (!repeatSecond && elapsed >= firstDuration)
            clock.stop()
    }

    onElapsedChanged: place()

    function restart() {
        clock.stop()
        elapsed = 0
        place()
        if (ready && (speed > 0 || synced))
            clock.start()
    }

    function start() {
        visible = true
        if (ready && !clock.running && (speed > 0 || synced))
            clock.start()
    }

    function pause() {
        clock.pause()
    }

    function resume() {
        clock.resume()
    }

    function setVisible() {
        start()
    }

    // Whole-pixel placement of the moving text within the window.
    property real pixelShiftX: 0
    property real pixelShiftY: 0
    function updateShift() {
        var p = parent ? parent.mapToItem(null, 0, 0) : Qt.point(0, 0)
        pixelShiftX = Math.ceil(p.x) - p.x
        pixelShiftY = Math.ceil(p.y) - p.y
    }
    Component.onCompleted: updateShift()

    Text {
        id: measure
        visible: false
        textFormat: Text.RichText
    }

    NWPageLayout {
        id: pager
    }

    Item {
        id: stage
        x: root.pixelShiftX
        y: root.pixelShiftY
        width: root.width
        height: root.height

        Row {
            id: row
            visible: root.horizontal && root.ready
            x: root.horizontal ? root.position : 0
            spacing: root.gap
            Repeater {
                model: root.horizontal ? root.copies : 0
                KestText {
                    width: root.textLen
                    height: root.height
                    y: root.info ? root.info.displayStyle.offset.y : 0
                    antialiasing: !root.jagged
                    textFormat: Text.RichText
                    wrapMode: root.animation === "PAN_LEFT" ? Text.Wrap : Text.NoWrap
                    horizontalAlignment: Text.AlignLeft
                    verticalAlignment: root.vAlign
                    text: root.html
                }
            }
        }

        Column {
            id: column
            visible: !root.horizontal && root.ready
            y: root.horizontal ? 0 : root.position
            spacing: root.gap
            Repeater {
                model: root.horizontal ? 0 : root.copies
                KestText {
                    width: root.width
                    height: root.textLen
                    x: root.info ? root.info.displayStyle.offset.x : 0
                    antialiasing: !root.jagged
                    textFormat: Text.RichText
                    wrapMode: Text.Wrap
                    horizontalAlignment: root.hAlign
                    verticalAlignment: Text.AlignTop
                    text: root.html
                }
            }
        }
    }

    // The clock of the motion: its value is elapsed milliseconds.
    NumberAnimation {
        id: clock
        target: root
        property: "elapsed"
        from: 0
        to: 1000000000
        duration: 1000000000
    }
}
