import QtQuick 2.15
import QtTest 1.15
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH
import "qrc:/preview/qml/text/baseScheme/js/fold.js" as Fold

// The display components' arithmetic: marquee copies and passes, music
// pacing, page intervals, the page effect's calls, the fold strip down.
// Motion on screen and the fold across are checked by test_text_widget.
Item {
    id: top
    width: 800
    height: 600

    function record(display, text, opts) {
        opts = opts || {}
        return JSON.stringify({
            id: "t", zOrder: 3, duration: opts.duration || 60000, backgroundColor: "#ff000000",
            metadata: { textAntialiasing: !!opts.jagged, content: {
                paragraphs: [{ lines: text.map(function (l) { return { segs: [{ content: l, attributeKey: "a" }] } }),
                               horizontalAlignment: "LEFT", verticalAlignment: "TOP" }],
                textAttributes: [{ key: "a", attributes: { textColor: "#ffffffff",
                                   font: { family: "DejaVu Sans", size: opts.size || 20 } } }],
                displayStyle: { type: display,
                    pageSwitchAttributes: { inAnimation: { type: opts.effect || 0, duration: opts.effectDuration || 0 },
                                            remainDuration: opts.remain || 3000 },
                    scrollAttributes: { effects: { speed: opts.speed === undefined ? 100 : opts.speed,
                                                   animation: opts.animation || "MARQUEE_LEFT",
                                                   isHeadTail: !!opts.headTail, headTailSpacing: String(opts.spacing || 0) } },
                    offset: { x: 0, y: 0 } },
                backgroundMusic: { isTextSync: !!opts.sync, duration: opts.music || 0 } } }
        })
    }

    // One component at a time: the one made before goes.
    property var last: null
    function make(file, w, h, widgetStr) {
        if (last)
            last.destroy()
        var c = Qt.createComponent("qrc:/preview/qml/text/baseScheme/" + file)
        verify(c.status === Component.Ready, c.errorString())
        last = c.createObject(top, { width: w, height: h })
        last.init(PH.buildInfo(widgetStr))
        return last
    }

    function verify(c, m) { tc.verify(c, m) }

    TestCase {
        id: tc
        name: "Display"
        when: windowShown

        function lamp(text, opts, w, h) {
            return make("RevolveLamp.qml", w === undefined ? 350 : w, h || 60, record("SCROLL", text || ["ab"], opts))
        }

        function test_marqueeArithmetic() {
            var o = lamp()
            verify(o.textLen > 0 && o.textLen < 100, "text length " + o.textLen)
            compare([o.copies, o.gap, o.firstFrom, o.firstTo, o.secondFrom],
                    [1 + Math.floor(350 / o.textLen) + 1, 350, 350, -(o.textLen + 350), 0])
            compare(o.firstDuration, Math.ceil((o.textLen + 350 + 350) * 1000 / 100))
            // Head-to-tail spacing only when enabled and not paced by music.
            compare(lamp(null, { headTail: true, spacing: 25 }).gap, 25)
            compare(lamp(null, { headTail: true, spacing: 25, sync: true, music: 4000 }).gap, 350)
            // An out-of-range speed becomes 60.
            compare(lamp(null, { speed: 900 }).speed, 60)
            compare(lamp(null, { speed: 500 }).speed, 500)
            compare(lamp(null, {}, 0).ready, false)
            // To the right, a text wider than the widget: two copies, and the
            // second pass takes over where the first ends.
            o = lamp(["a long text that is wider than the widget itself"], { animation: "MARQUEE_RIGHT" }, 300)
            var L = o.textLen, T = 2 * L + 300
            verify(L > 300)
            compare([o.copies, o.firstFrom, o.firstTo, o.secondFrom, o.secondTo], [2, -T, -T + 300 + L + 300, 300 - T, o.firstTo])
            // Up, the text's height is its length.
            o = lamp(["line one", "line two"], { animation: "MARQUEE_UP" }, 200, 300)
            verify(!o.horizontal)
            verify(o.textLen > 20 && o.textLen < 100, "height " + o.textLen)
            compare(o.firstFrom, 300)
        }

        // Music pacing crosses once and stops; speed 0 stands still; the
        // hard-edged mode moves in whole pixels.
        function test_marqueeMotion() {
            var o = lamp(null, { sync: true, music: 600 }, 300)
            compare([o.mode, o.firstDuration, o.firstFrom, o.firstTo], ["audio", 600, 300, -o.textLen])
            o.start()
            tryCompare(o, "position", Math.round(-o.textLen), 2000)
            var p = o.position
            wait(200)
            compare(o.position, p)
            o = lamp(null, { speed: 0 }, 300)
            o.start()
            p = o.position
            wait(200)
            compare(o.position, p)
            o = lamp(null, { jagged: true, speed: 37 }, 300)
            compare(o.mode, "sharp")
            o.start()
            for (var i = 0; i < 10; ++i) {
                wait(47)
                compare(o.position, Math.round(o.position))
            }
        }

        function pages(type, lines, opts) {
            opts.size = 24
            return make("PageSwitch.qml", 300, 40, record(type, lines, opts))
        }

        function test_pageIntervalsAndPasses() {
            var four = ["page 0", "page 1", "page 2", "page 3"]
            var o = pages("PAGE_SWITCH", four, { sync: true, music: 10000 })
            compare([o.pages.length, o.pageInterval], [4, 2500])
            o = pages("PAGE_SWITCH", four, { remain: 1234, duration: 5000 })
            compare([o.pageInterval, o.countdown], [1234, Math.ceil(5000 / 1234)])
            // Pages wrap, the first pass ends after one picture per switch.
            o = pages("PAGE_SWITCH", ["one", "two", "three"], { remain: 100 })
            var grabs = 0
            o.pageSwitchGrabImage.connect(function () { ++grabs })
            o.start()
            compare(o.index, 0)
            tryCompare(o, "firstPassCompleted", true, 2000)
            compare(grabs, 2)
            o.pause()
            var i = o.index
            wait(300)
            compare(o.index, i)
            // A static text never switches.
            o = pages("STATIC", ["one", "two"], { remain: 100 })
            o.start()
            wait(400)
            compare(o.index, 0)
            o.resume()
            wait(300)
            compare(o.index, 0)
        }

        function test_pageEffectCalls() {
            var o = pages("PAGE_SWITCH", ["one", "two", "three"], { remain: 150, effect: 16, effectDuration: 1000 })
            verify(o.effect !== null, "no effect selector")
            // The effect runs within the page's interval.
            compare([o.effect.effType, o.effect.duration, o.effect.inAnimation.duration], [16, 150, 150])
            o.start()
            compare([o.effect.starts, o.effect.lastItem.objectName], [1, "pageBackground"])
            tryCompare(o.effect, "starts", 3, 2000)
            o.pause()
            verify(o.effect.pauses > 0)
            o.resume()
            verify(o.effect.resumes > 0)
            // Hard-edged text: the effect runs on the text.
            o = pages("PAGE_SWITCH", ["one", "two"], { remain: 500, effect: 32, effectDuration: 200, jagged: true })
            o.start()
            compare([o.effect.lastItem.objectName, o.effect.duration], ["pageText", 200])
            // No effect for code 0, no duration or a static text.
            for (var c of [["PAGE_SWITCH", 0, 500], ["PAGE_SWITCH", 16, 0], ["STATIC", 16, 500]])
                compare(pages(c[0], ["one", "two"], { effect: c[1], effectDuration: c[2] }).effect, null, c)
        }

        // A text without characters reports the error and shows nothing.
        function test_emptyTextReportsAnError() {
            var c = Qt.createComponent("qrc:/preview/qml/text/RichText.qml")
            var o = c.createObject(top, { widgetStr: "{}" })
            verify(o !== null, c.errorString())
            var errors = []
            o.baseMediaError.connect(function (m) { errors.push(m) })
            o.init()
            compare([errors, o.display], [["[RichText] RichText.onError error ,text is empty "], null])
            o.destroy()
        }

        // Rectangles without area are left out; down, the strip is as wide
        // as the first rectangle and the sections follow one another.
        function test_foldStripDown() {
            var f = PH.foldInfo({ enable: true, orientation: 1, count: 7,
                                  layoutItems: [{ x: 0, y: 100, width: 200, height: 50 }, { x: 0, y: 0, width: 300, height: 60 },
                                                { x: 5, y: 5, width: 0, height: 10 }] })
            compare(f.count, 2)
            var s = Fold.strip(f)
            compare([s.width, s.height, s.sections[1].sy], [200, 110, 50])
            verify(!PH.foldInfo({ enable: true, layoutItems: [] }).enable)
            verify(!PH.foldInfo(null).enable)
        }
    }
}
