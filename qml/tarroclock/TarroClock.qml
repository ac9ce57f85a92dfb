import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "../utils/clockstyle.js" as ClockStyle

// The fixed-look analogue clock: a white dial in a dark ring, numerals,
// minute ticks, hour, minute and red second hands and an AM/PM label in the
// widget's language (set by the widget on every new item). The time comes
// from QmlCallQtProvider.tarroClock(); the dial is repainted each second.
Item {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property string language: "zh"
    property bool running: true
    property var now: ({ hour: 0, minute: 0, second: 0, msec: 0, meridiem: "" })
    readonly property string meridiem: now.meridiem
    // How many times the dial was painted (for diagnostics and benchmarks).
    property int paintCount: 0

    anchors.fill: parent
    visible: false

    QmlCallQtProvider { id: provider }

    Canvas {
        id: dial
        objectName: "dial"
        readonly property real side: Math.min(root.width, root.height)
        width: side
        height: side
        anchors.centerIn: parent
        renderStrategy: Canvas.Cooperative

        function disc(ctx, radius, color) {
            ctx.fillStyle = color
            ctx.beginPath()
            ctx.arc(0, 0, radius, 0, 2 * Math.PI)
            ctx.fill()
        }

        function ring(ctx, radius, width, color) {
            ctx.strokeStyle = color
            ctx.lineWidth = width
            ctx.beginPath()
            ctx.arc(0, 0, radius, 0, 2 * Math.PI)
            ctx.stroke()
        }

        // A line along the angle (degrees from 12 o'clock) from -back to length.
        function hand(ctx, angle, back, length, width, color) {
            ctx.save()
            ctx.rotate(angle * Math.PI / 180)
            ctx.strokeStyle = color
            ctx.lineWidth = width
            ctx.lineCap = "round"
            ctx.beginPath()
            ctx.moveTo(0, back)
            ctx.lineTo(0, -length)
            ctx.stroke()
            ctx.restore()
        }

        function secondHand(ctx, r, angle) {
            hand(ctx, angle, 0.15 * r, -0.08 * r, 0.02 * r, "#D92626")
            hand(ctx, angle, 0.08 * r, 0.65 * r, 0.006 * r, "#D92626")
        }

        function background(ctx, r) {
            disc(ctx, 0.9 * r, "#FFFFFF")
            ring(ctx, r - 0.075 * r, 0.15 * r, "#232323")
            ring(ctx, 0.85 * r - r / 80, r / 40, "#C8C8C8")
            ctx.fillStyle = "black"
            ctx.font = Math.max(1, Math.round(r / 5)) + "px sans-serif"
            ctx.textAlign = "center"
            ctx.textBaseline = "middle"
            for (var h = 1; h <= 12; ++h) {
                var a = h * 30 * Math.PI / 180
                ctx.fillText(String(h), Math.sin(a) * 0.65 * r, -Math.cos(a) * 0.65 * r + r / 40)
            }
            ctx.strokeStyle = "black"
            for (var i = 0; i < 60; ++i) {
                ctx.save()
                ctx.rotate(i * 6 * Math.PI / 180)
                ctx.lineWidth = i % 5 === 0 ? 0.02 * r : 0.008 * r
                ctx.beginPath()
                ctx.moveTo(0, -0.75 * r)
                ctx.lineTo(0, -0.8 * r)
                ctx.stroke()
                ctx.restore()
            }
            ctx.fillStyle = "#0000ff"
            ctx.font = Math.max(1, Math.round(r / 4)) + "px Helvetica"
            ctx.fillText(root.meridiem, 0, -0.25 * r)
        }

        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.clearRect(0, 0, width, height)
            var r = side / 2
            if (r <= 0)
                return
            root.paintCount += 1
            var t = root.now
            var secondAngle = 6 * t.second
            ctx.save()
            ctx.translate(width / 2, height / 2)
            background(ctx, r)
            secondHand(ctx, r, secondAngle)
            hand(ctx, 30 * (t.hour % 12) + 0.5 * t.minute, 0.1 * r, 0.5 * r, 0.04 * r, "black")
            hand(ctx, 6 * t.minute + 0.1 * t.second, 0.12 * r, 0.68 * r, 0.03 * r, "black")
            disc(ctx, 0.06 * r, "black")
            disc(ctx, 0.03 * r, "#D92626")
            secondHand(ctx, r, secondAngle)
            ctx.restore()
        }
    }

    Timer {
        id: tick
        repeat: false
        onTriggered: root.update()
    }

    // Reads the time; repaints when the second shown (or the label) changed.
    function update() {
        var t = provider.tarroClock(language)
        if (t.second !== now.second || t.minute !== now.minute || t.hour !== now.hour ||
                t.meridiem !== now.meridiem || paintCount === 0) {
            now = t
            dial.requestPaint()
        }
        if (running) {
            tick.interval = ClockStyle.untilNextSecond(t.msec)
            tick.restart()
        }
    }

    onLanguageChanged: update()

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
        running = true
        update()
    }
    function pause() { running = false; tick.stop() }
    function resume() { running = true; update() }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        play()
    }
}
