import QtQuick 2.15
import QtTest 1.15
import an.kest.text 1.0
import "reference/jRichText.js" as REF
import "qrc:/preview/qml/text/baseScheme/js/jRichText.js" as JR
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH

// The native page layout against the measuring script it replaced (kept in
// reference/): the same pages, character for character, for generated texts
// of many kinds and page sizes.
Item {
    id: top
    width: 800
    height: 600

    Text {
        id: measure
        visible: false
        textFormat: Text.RichText
        wrapMode: Text.Wrap
    }

    NWPageLayout {
        id: pager
    }

    // A small deterministic generator, so that every run sees the same texts.
    property int seed: 1
    function rnd(n) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        return Math.floor(seed / 65536) % n
    }

    readonly property string marks: "\u3002\uFF1F\uFF01\uFF0C\u3001\uFF1B\uFF1A\u201C\u201D\u2018\u2019"
    readonly property string han: "天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜"

    function latin(n) {
        var words = ["lorem", "ipsum", "dolor", "sit", "amet,", "consectetur", "adipiscing", "elit.", "Sed", "do",
                     "eiusmod", "tempor", "incididunt", "ut", "labore", "et", "dolore", "magna", "aliqua", "W"]
        var s = ""
        while (s.length < n)
            s += words[rnd(words.length)] + (rnd(9) === 0 ? "  " : " ")
        return s.substring(0, n)
    }
    function cjk(n) {
        var s = ""
        while (s.length < n)
            s += rnd(8) === 0 ? marks.charAt(rnd(marks.length)) : han.charAt(rnd(han.length))
        return s
    }
    function mixed(n) {
        var s = ""
        while (s.length < n)
            s += rnd(2) ? latin(1 + rnd(12)) : cjk(1 + rnd(10))
        return s.substring(0, n)
    }
    // A mark after every character: every cut meets one.
    function marked(n) {
        var s = ""
        while (s.length < n)
            s += han.charAt(rnd(han.length)) + marks.charAt(rnd(marks.length))
        return s.substring(0, n)
    }

    function attrMap(sizes) {
        return PH.attributeMap(sizes.map(function (size, i) {
            return { key: "k" + i, attributes: { textColor: "#ffffffff", backgroundColor: "#00000000",
                     font: { family: i % 2 ? "WenQuanYi Micro Hei" : "DejaVu Sans", size: size,
                             style: ["NORMAL", "ITALIC", "BOLD", "BOLD_ITALIC"][i % 4], isUnderline: i === 1 } } }
        }))
    }
    function paragraphs(list) {
        return PH.normaliseParagraphs(list.map(function (p) {
            return { lines: p.lines.map(function (l) {
                         return { segs: l.map(function (r) { return { content: r[0], attributeKey: "k" + r[1] } }) }
                     }), lineSpacing: p.lineSpacing || 0, letterSpacing: p.letterSpacing || 0,
                     horizontalAlignment: p.align || "LEFT", verticalAlignment: "TOP" }
        }))
    }
    function one(text, k) {
        return [{ lines: [[[text, k || 0]]] }]
    }

    // Row `index` of a random search over texts and narrow pages (the row
    // once showed a line whose height depends on text after the cut).
    function searchRow(seed, index) {
        top.seed = seed
        var gens = [latin, cjk, mixed, marked]
        var row = null
        for (var r = 0; r <= index; ++r) {
            var w = 15 + rnd(300), h = 8 + rnd(200)
            var ps = []
            for (var p = 1 + rnd(4); p > 0; --p) {
                var lines = []
                for (var l = 1 + rnd(3); l > 0; --l) {
                    var segs = []
                    for (var q = 1 + rnd(3); q > 0; --q) {
                        var len = rnd(5) === 0 ? rnd(3) : rnd(600)
                        var t = len === 0 ? (rnd(2) ? " " : "") : gens[rnd(4)](len)
                        segs.push([t, rnd(4)])
                    }
                    lines.push(segs)
                }
                ps.push({ lines: lines, lineSpacing: rnd(3) * 7, letterSpacing: rnd(3),
                          align: ["LEFT", "CENTER", "RIGHT"][rnd(3)] })
            }
            row = { tag: "search " + seed + "/" + r, w: w, h: h,
                    sizes: [10 + rnd(40), 10 + rnd(60), 8 + rnd(30), rnd(6) === 0 ? 150 + rnd(300) : 20], ps: ps }
        }
        return row
    }

    TestCase {
        name: "PageLayoutDiff"
        when: windowShown

        function test_samePages_data() {
            top.seed = 7
            var rows = []
            var sizes = [[200, 90], [320, 160], [640, 480], [1920, 1080]]
            var gens = { latin: latin, cjk: cjk, mixed: mixed, marked: marked }
            var lengths = [1, 2, 37, 400, 3000]
            for (var g in gens)
                for (var i = 0; i < lengths.length; ++i) {
                    var s = sizes[(i + rows.length) % sizes.length]
                    rows.push({ tag: g + " " + lengths[i] + " @" + s[0] + "x" + s[1], w: s[0], h: s[1],
                                sizes: [14 + rnd(30)], ps: one(gens[g](lengths[i])) })
                }
            // Runs of different sizes in one line, a glyph taller than the page.
            rows.push({ tag: "runs of sizes", w: 320, h: 160, sizes: [12, 30, 64, 18],
                        ps: [{ lines: [[[latin(300), 0], [cjk(80), 1], [mixed(120), 2], ["xyz", 2], [latin(50), 3]]] }] })
            rows.push({ tag: "tall glyph alone", w: 300, h: 100, sizes: [400], ps: one("ABCDEFG 字字字，字") })
            rows.push({ tag: "tall glyph in text", w: 300, h: 120, sizes: [16, 300],
                        ps: [{ lines: [[[latin(200), 0], ["XYZ", 1], [latin(100), 0]]] }] })
            // Empty paragraphs, blank lines, several paragraphs with spacing.
            rows.push({ tag: "empty lines and paragraphs", w: 320, h: 120, sizes: [18, 26],
                        ps: [{ lines: [[["", 0]]] }, { lines: [[[latin(150), 0]], [[" ", 1]], [["", 0]], [[cjk(90), 1]]] },
                             { lines: [[[" ", 0]]] }, { lines: [[["", 0]], [["", 1]], [["a", 0], ["", 0], ["b", 1]]] },
                             { lines: [[[mixed(300), 1]]], lineSpacing: 12, letterSpacing: 2, align: "CENTER" },
                             { lines: [[["", 0]]] }] })
            var many = []
            for (var p = 0; p < 40; ++p)
                many.push({ lines: [[[rnd(3) ? mixed(rnd(90)) : "", rnd(2)]], [[latin(rnd(40) + 1), 0]]],
                            lineSpacing: rnd(3) * 6, align: ["LEFT", "CENTER", "RIGHT"][p % 3] })
            rows.push({ tag: "forty paragraphs", w: 400, h: 240, sizes: [20, 28], ps: many })
            // Random mixes on narrow pages: several paragraphs, lines and runs
            // of all styles and sizes, letter and line spacing.
            for (var r = 0; r < 8; ++r) {
                var ps = []
                for (var q = 1 + rnd(3); q > 0; --q) {
                    var lines = []
                    for (var l = 1 + rnd(3); l > 0; --l) {
                        var segs = []
                        for (var n = 1 + rnd(3); n > 0; --n) {
                            var len = rnd(5) === 0 ? rnd(2) : rnd(300)
                            segs.push([len === 0 ? (rnd(2) ? " " : "") : [latin, cjk, mixed, marked][rnd(4)](len), rnd(4)])
                        }
                        lines.push(segs)
                    }
                    ps.push({ lines: lines, lineSpacing: rnd(3) * 7, letterSpacing: rnd(3), align: ["LEFT", "CENTER", "RIGHT"][rnd(3)] })
                }
                var narrow = r % 2 === 1
                rows.push({ tag: "random mix " + r, w: narrow ? 30 + rnd(60) : 60 + rnd(260), h: narrow ? 40 + rnd(60) : 30 + rnd(200),
                            sizes: [10 + rnd(40), 10 + rnd(60), 8 + rnd(30), rnd(4) === 0 ? 150 + rnd(300) : 20], ps: ps })
            }
            rows.push(searchRow(999, 6))
            top.seed = 31
            rows.push({ tag: "mixed 50000 @1920x1080", w: 1920, h: 1080, sizes: [32], ps: one(mixed(50000)) })
            return rows
        }

        function test_samePages(row) {
            var map = attrMap(row.sizes)
            var ps = paragraphs(row.ps)
            var expected = REF.PagesText(ps, map, measure, row.w, row.h, null)
            var got = pager.layout(JR.layoutInput(ps, map, null), row.w, row.h)
            for (var i = 0; i < Math.min(expected.length, got.length); ++i)
                compare(got[i], expected[i], "page " + i + " of " + expected.length)
            compare(got.length, expected.length, "page count")
            verify(got.length > 0)
        }
    }
}
