import QtQuick 2.15
import QtTest 1.15
import "qrc:/preview/qml/text/baseScheme/js/jcolorfulTextfun.js" as CF

// The colourful text's arithmetic: gradient stops of many colours, marquee
// copies and passes, the search of the static fit, and reading a content with
// bad members. One and two colours, a single pass and speed 0 are checked on
// screen by test_colortext.
TestCase {
    name: "ColorTextLogic"

    function test_gradientStops_data() {
        return [
            { tag: "three colours", colors: ["#000000", "#ffffff", "#000000"],
              want: [[0, "#000000"], [0.499, "#ffffff"], [0.999, "#000000"], [1, "#000000"], [1, "#000000"], [1, "#000000"]] },
            { tag: "six colours", colors: ["#1", "#2", "#3", "#4", "#5", "#6"],
              want: [[0, "#1"], [0.199, "#2"], [0.399, "#3"], [0.599, "#4"], [0.799, "#5"], [1, "#6"]] }
        ]
    }

    function test_gradientStops(d) {
        var stops = CF.gradientStops(d.colors)
        compare(stops.length, 6)
        for (var i = 0; i < 6; ++i) {
            fuzzyCompare(stops[i].position, d.want[i][0], 1e-9, "stop " + i)
            compare(stops[i].color, d.want[i][1], "stop " + i)
        }
    }

    function test_marquee() {
        compare(CF.marquee(0, 400, 60, true, 0, false), null, "a text 0 wide has nothing to move")
        compare(CF.marquee(50, 0, 60, true, 0, false), null)
        var ht = CF.marquee(100, 350, 100, true, 25, false)
        compare([ht.copies, ht.secondFrom, ht.secondTo, ht.secondDuration], [1 + 1 + (1 + 3), 0, -125, 1250])
        var right = CF.marquee(500, 300, 60, true, 10, true)
        var total = 3 * 500 + 10 * 2
        compare([right.copies, right.firstFrom, right.firstTo, right.secondFrom], [3, -total, -total + 300 + 510, 300 - total])
    }

    // The outward-then-halving search finds the same answer as counting.
    function test_largestFitting() {
        for (var limit = 0; limit <= 40; limit += 3) {
            for (var start = 0; start <= 45; start += 4) {
                var calls = 0
                var k = CF.largestFitting(function (m) { ++calls; return m <= limit }, start, 40)
                compare(k, Math.min(limit, 40), "limit " + limit + " start " + start)
                verify(calls <= 16, calls + " measurements")
            }
        }
    }

    // A measure of fixed-width characters: w pixels each, lines of `per` characters.
    function fakeMeasure(w, per, lineHeight) {
        return function (text, wrap) {
            var n = text.length
            if (!wrap)
                return { width: n * w, height: n ? lineHeight : 0 }
            return { width: Math.min(n, per) * w, height: Math.ceil(n / per) * lineHeight }
        }
    }

    function test_fitStatic() {
        var chars = "abcdefghijklmnopqrstuvwxyz0123456789".split("")
        // 10 per line, 3 lines fit.
        var fit = CF.fitStatic(chars, 100, 95, 10, 30, fakeMeasure(10, 10, 30))
        compare([fit.text, fit.wrap], [chars.slice(0, 30).join(""), true])
        // Lower than a line: one unwrapped line narrower than the layer, less one character.
        fit = CF.fitStatic(chars, 100, 20, 10, 30, fakeMeasure(10, 10, 30))
        compare([fit.text, fit.wrap], [chars.slice(0, 8).join(""), false])
        // All of a short text.
        fit = CF.fitStatic(["a", "b"], 100, 95, 10, 30, fakeMeasure(10, 10, 30))
        compare(fit.text, "ab")
    }

    function test_readContentRepairsBadMembers() {
        var c = CF.readContent({ content: 7, type: "SPIRAL", textAttributes: { font: { size: 0, style: 9 },
                                 strokeWidth: -4 }, paragraphAttributes: { lineSpacing: -50 } })
        compare([c.text, c.type, c.size, c.strokeWidth], ["7", "STATIC", 1, 0])
        verify(c.size + c.lineSpacing >= 1)
        compare(CF.readContent({ content: "a\r\nb", type: "SCROLL" }).text, "a b")
        verify(!CF.readContent({ content: "a", scrollAttributes: { effects: { animation: "MARQUEE_LEFT" } } }).toRight)
        verify(CF.readContent({ content: "a", scrollAttributes: { effects: { animation: "UP" } } }).toRight)
        compare(CF.textureUrl("/tmp/a b.png"), "file:///tmp/a b.png")
        compare(CF.textureUrl("http://host/t.png"), "http://host/t.png")
        // Seven colours keep six.
        c = CF.readContent({ content: "x", textAttributes: { effects: { colors:
            ["#000001", "#000002", "#000003", "#000004", "#000005", "#000006", "#000007"] } } })
        compare([c.colors.length, CF.gradientStops(c.colors)[5].color], [6, "#000006"])
    }
}
