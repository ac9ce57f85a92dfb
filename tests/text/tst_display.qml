import QtQuick 2.15
import QtTest 1.15
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH
import "qrc:/preview/qml/text/baseScheme/js/fold.js" as Fold

// The display components' arithmetic: marquee copies and passes, music
// pacing, page intervals, fold strips.
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

    function make(file, w, h, widgetStr) {
        var c = Qt.createComponent("qrc:/preview/qml/text/baseScheme/" + file)
        verify(c.status === Component.Ready, c.errorString())
        var o = c.createObject(top, { width: w, height: h })
        o.init(PH.buildInfo(widgetStr))
        return o
    }

    function verify(c, m) { tc.verify(c, m) }

    TestCase {
        id: tc
        name: "Display"
        when: windowShown

        function test_shortTextScrollsWithEnoughCopies() {
            var o = make("RevolveLamp.qml", 350, 60, record("SCROLL", ["ab"]))
            verify(o.textLen > 0 && o.textLen < 100, "text length " + o.textLen)
            compare(o.copies, 1 + Math.floor(350 / o.textLen) + 1)
            compare(o.gap, 350)
            compare(o.firstFrom, 350)
            compare(o.firstTo, -(o.textLen + 350))
            compare(o.secondFrom, 0)
            compare(o.firstDuration, Math.ceil((o.textLen + 350 + 350) * 1000 / 100))
            o.destroy()
        }

        function test_headToTailSpacingOnlyWhenEnabled() {
            var o = make("RevolveLamp.qml", 350, 60, record("SCROLL", ["ab"], { headTail: true, spacing: 25 }))
            compare(o.gap, 25)
            o.destroy()
            o = make("RevolveLamp.qml", 350, 60, record("SCROLL", ["ab"], { headTail: true, spacing: 25, sync: true, music: 4000 }))
            compare(o.gap, 350)
            o.destroy()
        }

        function test_rightMarqueePasses() {
            var o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["a long text that is wider than the widget itself"],
                                                          { animation: "MARQUEE_RIGHT" }))
            var L = o.textLen, G = 300, n = o.copies
            verify(L > 300)
            compare(n, 2)
            var T = n * L + G * (n - 1)
            compare(o.firstFrom, -T)
            compare(o.firstTo, -T + 300 + L + G)
            compare(o.secondFrom, 300 - T)
            compare(o.secondTo, o.firstTo)
            o.destroy()
        }

        function test_outOfRangeSpeedBecomesSixty() {
            var o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["ab"], { speed: 900 }))
            compare(o.speed, 60)
            o.destroy()
            o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["ab"], { speed: 500 }))
            compare(o.speed, 500)
            o.destroy()
        }

        function test_zeroSpeedStandsStill() {
            var o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["ab"], { speed: 0 }))
            o.start()
            var p = o.position
            wait(200)
            compare(o.position, p)
            o.destroy()
        }

        function test_musicSyncedScrollCrossesOnceAndStops() {
            var o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["ab"], { sync: true, music: 600 }))
            compare(o.mode, "audio")
            compare(o.firstDuration, 600)
            compare(o.firstFrom, 300)
            compare(o.firstTo, -o.textLen)
            o.start()
            wait(900)
            compare(o.position, Math.round(-o.textLen))
            var p = o.position
            wait(200)
            compare(o.position, p)
            o.destroy()
        }

        function test_verticalScrollUsesTextHeight() {
            var o = make("RevolveLamp.qml", 200, 300, record("SCROLL", ["line one", "line two"], { animation: "MARQUEE_UP" }))
            verify(!o.horizontal)
            verify(o.textLen > 20 && o.textLen < 100, "height " + o.textLen)
            compare(o.firstFrom, 300)
            o.destroy()
        }

        function test_sharpModeMovesInWholePixels() {
            var o = make("RevolveLamp.qml", 300, 60, record("SCROLL", ["ab"], { jagged: true, speed: 37 }))
            compare(o.mode, "sharp")
            o.start()
            for (var i = 0; i < 10; ++i) {
                wait(47)
                compare(o.position, Math.round(o.position))
            }
            o.destroy()
        }

        function test_emptyWidgetScrollLogsAndStops() {
            var o = make("RevolveLamp.qml", 0, 60, record("SCROLL", ["ab"]))
            compare(o.ready, false)
            o.destroy()
        }

        function test_pageIntervalFollowsMusic() {
            var lines = []
            for (var i = 0; i < 4; ++i)
                lines.push("page " + i)
            var o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", lines, { size: 24, sync: true, music: 10000 }))
            compare(o.pages.length, 4)
            compare(o.pageInterval, 2500)
            o.destroy()
            o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", lines, { size: 24, remain: 1234, duration: 5000 }))
            compare(o.pageInterval, 1234)
            compare(o.countdown, Math.ceil(5000 / 1234))
            o.destroy()
        }

        function test_pagesWrapAndFirstPassEnds() {
            var o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", ["one", "two", "three"], { size: 24, remain: 100 }))
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
            o.destroy()
        }

        function test_staticTextNeverSwitches() {
            var o = make("PageSwitch.qml", 300, 40, record("STATIC", ["one", "two"], { size: 24, remain: 100 }))
            o.start()
            wait(400)
            compare(o.index, 0)
            o.resume()
            wait(300)
            compare(o.index, 0)
            o.destroy()
        }

        function test_effectRunsOnEveryPageWithinTheInterval() {
            var o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", ["one", "two", "three"],
                                                         { size: 24, remain: 150, effect: 16, effectDuration: 1000 }))
            verify(o.effect !== null, "no effect selector")
            compare(o.effect.effType, 16)
            compare(o.effect.duration, 150)
            compare(o.effect.inAnimation.duration, 150)
            o.start()
            compare(o.effect.starts, 1)
            compare(o.effect.lastItem.objectName, "pageBackground")
            tryCompare(o.effect, "starts", 3, 2000)
            o.pause()
            verify(o.effect.pauses > 0)
            o.resume()
            verify(o.effect.resumes > 0)
            o.destroy()
        }

        function test_jaggedEffectRunsOnTheText() {
            var o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", ["one", "two"],
                                                         { size: 24, remain: 500, effect: 32, effectDuration: 200, jagged: true }))
            o.start()
            compare(o.effect.lastItem.objectName, "pageText")
            compare(o.effect.duration, 200)
            o.destroy()
        }

        function test_noEffectForCodeZeroOrNoDuration() {
            var o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", ["one", "two"], { size: 24, effect: 0, effectDuration: 500 }))
            compare(o.effect, null)
            o.destroy()
            o = make("PageSwitch.qml", 300, 40, record("PAGE_SWITCH", ["one", "two"], { size: 24, effect: 16, effectDuration: 0 }))
            compare(o.effect, null)
            o.destroy()
            o = make("PageSwitch.qml", 300, 40, record("STATIC", ["one", "two"], { size: 24, effect: 16, effectDuration: 500 }))
            compare(o.effect, null)
            o.destroy()
        }

        function test_foldStrip() {
            var f = PH.foldInfo({ enable: true, orientation: 0, count: 7,
                                  layoutItems: [{ x: 0, y: 100, width: 200, height: 50 }, { x: 0, y: 0, width: 300, height: 60 },
                                                { x: 5, y: 5, width: 0, height: 10 }] })
            compare(f.count, 2)
            var s = Fold.strip(f)
            compare(s.width, 500)
            compare(s.height, 50)
            compare(s.sections[1].sx, 200)
            f.orientation = 1
            s = Fold.strip(f)
            compare(s.width, 200)
            compare(s.height, 110)
            compare(s.sections[1].sy, 50)
            verify(!PH.foldInfo({ enable: true, layoutItems: [] }).enable)
            verify(!PH.foldInfo(null).enable)
        }
    }
}
