import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "../utils/clockstyle.js" as ClockStyle
import "../text/baseScheme/js/fold.js" as Fold
import "../text/baseScheme/com"

// An analogue clock: dial markers, three hands, a dial text and a date line
// for the time of its zone (QmlCallQtProvider.zoneClock). The dial is
// repainted when the shown second changes, and not while paused.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property var meta: ({})
    property string gmt: "GMT+00:00"
    property string zone: ""
    property bool running: true
    property var now: ({ hour: 0, minute: 0, second: 0, msec: 0 })
    property string dateText: ""
    // How many times the dial was painted (for diagnostics and benchmarks).
    property int paintCount: 0
    // Over-length screens: the dial is drawn on the strip of the fold's
    // rectangles and each rectangle shows its section of it.
    property var foldStrip: null

    anchors.fill: parent
    color: "transparent"
    visible: false

    QmlCallQtProvider { id: provider }

    function group(name) {
        var g = meta[name]
        return (g && typeof g === "object") ? g : {}
    }
    function num(v, fallback) {
        return (typeof v === "number" && isFinite(v)) ? v : fallback
    }
    function str(v, fallback) {
        return typeof v === "string" && v !== "" ? v : fallback
    }

    Canvas {
        id: dial
        objectName: "dial"
        width: root.foldStrip ? root.foldStrip.width : root.width
        height: root.foldStrip ? root.foldStrip.height : root.height
        renderStrategy: Canvas.Cooperative

        function drawMarker(ctx, scale, dist, major) {
            var shape = str(scale.shape, major ? "OVAL" : "RECTANGLE")
            var w = num(scale.width, 4), h = num(scale.height, 4)
            if (w <= 0 || h <= 0 || shape === "DIGITAL")
                return
            ctx.fillStyle = str(scale.color, "#FF0000FF")
            if (shape === "OVAL") {
                ctx.beginPath()
                ctx.arc(0, -dist, w / 2, 0, 2 * Math.PI)
                ctx.fill()
            } else if (major) {
                ctx.fillRect(-w / 2, -dist - w / 2, w, w)
            } else {
                ctx.fillRect(-w / 2, -dist - h / 2, w, h)
            }
        }

        function drawHand(ctx, angle, length, base, color) {
            ctx.save()
            ctx.rotate(angle * Math.PI / 180)
            ctx.fillStyle = color
            ctx.beginPath()
            ctx.moveTo(-base / 2, 0)
            ctx.lineTo(0, -length)
            ctx.lineTo(base / 2, 0)
            ctx.closePath()
            ctx.fill()
            ctx.restore()
        }

        function drawText(ctx, text, attrs, y) {
            if (text === "")
                return
            var st = ClockStyle.style(attrs, provider)
            ctx.font = ClockStyle.canvasFont(st)
            ctx.fillStyle = st.color
            ctx.textAlign = "center"
            ctx.textBaseline = "middle"
            var lines = text.split("\n")
            for (var i = 0; i < lines.length; ++i)
                ctx.fillText(lines[i], 0, y + (i - (lines.length - 1) / 2) * st.size * 1.1)
        }

        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.clearRect(0, 0, width, height)
            var bg = str(group("background").color, "#00000000")
            ctx.fillStyle = bg
            ctx.fillRect(0, 0, width, height)
            var r = Math.min(width, height) / 2
            if (r <= 0)
                return
            root.paintCount += 1
            ctx.save()
            ctx.translate(width / 2, height / 2)
            var hs = group("hourScale"), ms = group("minuteScale")
            var hourDist = r - Math.max(num(hs.width, 4), num(hs.height, 4)) / 2
            var minuteDist = r - Math.max(num(ms.width, 5), num(ms.height, 5)) / 2
            for (var i = 0; i < 60; ++i) {
                ctx.save()
                ctx.rotate(i * 6 * Math.PI / 180)
                if (i % 5 === 0)
                    drawMarker(ctx, hs, hourDist, true)
                else
                    drawMarker(ctx, ms, minuteDist, false)
                ctx.restore()
            }
            if (str(hs.shape, "OVAL") === "DIGITAL") {
                var nst = ClockStyle.style(hs.textAttributes, provider)
                ctx.font = ClockStyle.canvasFont(nst)
                ctx.fillStyle = str(hs.color, nst.color)
                ctx.textAlign = "center"
                ctx.textBaseline = "middle"
                for (var h = 0; h < 12; ++h) {
                    var a = h * 30 * Math.PI / 180
                    var d = r - nst.size
                    ctx.fillText(h === 0 ? "12" : String(h), Math.sin(a) * d, -Math.cos(a) * d)
                }
            }
            var text = group("text"), date = group("date")
            if (text.enable !== false && typeof text.text === "string")
                drawText(ctx, text.text.replace(/\r\n/g, "\n"), text.textAttributes, -r * 0.35)
            if (date.enable !== false)
                drawText(ctx, root.dateText, date.textAttributes, r * 0.35)
            var t = root.now
            var handBase = Math.max(1, num(hs.height, 4))
            var inner = Math.max(0, r - num(hs.height, 4))
            drawHand(ctx, 30 * (t.hour % 12) + 0.5 * t.minute, inner * 0.45, Math.max(2, r / 50),
                     str(group("hourHand").color, "#FFFFFFFF"))
            drawHand(ctx, 6 * t.minute + 0.1 * t.second, inner * 0.65, Math.max(2, r / 50),
                     str(group("minuteHand").color, "#FFFFFFFF"))
            drawHand(ctx, 6 * t.second, r * 0.97, Math.max(1, r / 100), str(group("secondHand").color, "#FFFF0000"))
            ctx.restore()
        }
    }

    Repeater {
        model: root.foldStrip ? root.foldStrip.sections : []
        ComFoldView {
            x: modelData.x
            y: modelData.y
            width: modelData.width
            height: modelData.height
            color: "transparent"
            sourceItem: dial
            section: Qt.rect(modelData.sx, modelData.sy, modelData.width, modelData.height)
        }
    }

    Timer {
        id: tick
        repeat: false
        onTriggered: root.update()
    }

    // Reads the zone's time; repaints when the second shown has changed.
    function update() {
        var t = provider.zoneClock(gmt, zone, 0)
        var changed = t.second !== now.second || t.minute !== now.minute || t.hour !== now.hour
        if (changed || paintCount === 0) {
            now = t
            var date = group("date")
            if (date.enable !== false)
                dateText = provider.analogClockDate(str(date.regular, ""), gmt, zone, date.weekTemplates || [])
            dial.requestPaint()
        }
        if (running) {
            tick.interval = ClockStyle.untilNextSecond(t.msec)
            tick.restart()
        }
    }

    onWidthChanged: dial.requestPaint()
    onHeightChanged: dial.requestPaint()
    onFoldStripChanged: dial.requestPaint()

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
        running = true
        update()
    }
    function pause() { running = false; tick.stop() }
    function stop() { running = false; tick.stop() }
    function resume() { running = true; update() }
    function restart() { console.log("analogClock  restart()") }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        meta = (record && typeof record.metadata === "object" && record.metadata) ? record.metadata : {}
        var fold = record ? record.fold : null
        if (fold && fold.enable === true && Array.isArray(fold.layoutItems) && fold.layoutItems.length > 0) {
            var strip = Fold.strip(fold)
            if (strip.width > 0 && strip.height > 0)
                foldStrip = strip
        }
        if (typeof meta.gmt === "string") gmt = meta.gmt
        if (typeof meta.zone === "string") zone = meta.zone
        play()
    }
}
