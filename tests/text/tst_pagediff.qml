import QtQuick 2.15
import QtTest 1.15
import an.kest.text 1.0
import "reference/jRichText.js" as REF
import "qrc:/preview/qml/text/baseScheme/js/jRichText.js" as JR
import "qrc:/preview/qml/text/baseScheme/js/jtexthandle.js" as TH
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH

// The native page layout against the measuring script it replaced (kept in
// reference/): the same pages, character for character, for generated texts
// of many kinds and page sizes. Then what the comparison cannot see: the
// layout off the GUI thread, degenerate input and the HTML of the runs.
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

    // A random row: up to maxParagraphs paragraphs of up to three lines of
    // up to three runs of all kinds, styles and spacings; one in five runs is
    // short (under maxShort); one in bigOdds rows has a glyph size far over
    // the page.
    function randomRow(tag, w, h, maxParagraphs, maxShort, maxLength, bigOdds) {
        var ps = []
        for (var p = 1 + rnd(maxParagraphs); p > 0; --p) {
            var lines = []
            for (var l = 1 + rnd(3); l > 0; --l) {
                var segs = []
                for (var q = 1 + rnd(3); q > 0; --q) {
                    var len = rnd(5) === 0 ? rnd(maxShort) : rnd(maxLength)
                    var t = len === 0 ? (rnd(2) ? " " : "") : [latin, cjk, mixed, marked][rnd(4)](len)
                    segs.push([t, rnd(4)])
                }
                lines.push(segs)
            }
            ps.push({ lines: lines, lineSpacing: rnd(3) * 7, letterSpacing: rnd(3),
                      align: ["LEFT", "CENTER", "RIGHT"][rnd(3)] })
        }
        return { tag: tag, w: w, h: h, ps: ps,
                 sizes: [10 + rnd(40), 10 + rnd(60), 8 + rnd(30), rnd(bigOdds) === 0 ? 150 + rnd(300) : 20] }
    }

    // Row `index` of a random search over texts and narrow pages (the row
    // once showed a line whose height depends on text after the cut).
    function searchRow(seed, index) {
        top.seed = seed
        var row = null
        for (var r = 0; r <= index; ++r) {
            var w = 15 + rnd(300), h = 8 + rnd(200)
            row = randomRow("search " + seed + "/" + r, w, h, 4, 3, 600, 6)
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
            // Random mixes, every other one on a narrow page.
            for (var r = 0; r < 8; ++r) {
                var narrow = r % 2 === 1
                var w = narrow ? 30 + rnd(60) : 60 + rnd(260), h = narrow ? 40 + rnd(60) : 30 + rnd(200)
                rows.push(randomRow("random mix " + r, w, h, 3, 2, 300, 4))
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

    TestCase {
        name: "PageLayout"
        when: windowShown

        function input(n, size) {
            top.seed = 3
            return JR.layoutInput(paragraphs(one(latin(n))), attrMap([size]), null)
        }

        // A long text is laid out on a worker thread: the first page arrives
        // first, then all pages, the same as laid out at once; the same text
        // again comes from the finished layouts at once.
        function test_longTextOffTheGuiThread() {
            var expected = pager.layout(input(20000, 20), 400, 300)
            var c = Qt.createQmlObject("import an.kest.text 1.0; NWPageLayout {}", top)
            var added = [], done = -1
            c.pageAdded.connect(function (i, p) { added.push(i) })
            c.finished.connect(function (n) { done = n })
            c.start(input(20000, 20), 400, 300)
            compare([c.running, done], [true, -1])
            tryVerify(function () { return done >= 0 }, 20000)
            compare([added[0], added.length], [0, expected.length])
            compare(c.pages.join(""), expected.join(""))
            done = -1
            c.start(input(20000, 20), 400, 300)
            compare([done, c.running], [expected.length, false])
            // A newer layout replaces a running one; a layout running when
            // its component goes away ends quietly.
            c.start(input(30000, 20), 400, 300)
            done = -1
            c.start(input(9000, 22), 410, 300)
            tryVerify(function () { return done >= 0 }, 20000)
            compare(c.pages.join(""), pager.layout(input(9000, 22), 410, 300).join(""))
            c.start(input(40000, 20), 400, 300)
            c.destroy()
            wait(0)
        }

        function test_degenerateInput() {
            // No text, no page area, input of the wrong shape: no pages.
            var none = [[JR.layoutInput([], {}, null), 300, 200], [input(5, 16), 0, 200], [input(5, 16), 300, -5],
                        ["nope", 300, 200], [[null, 5, { head: 3, lines: [7, [null, { text: 4 }]] }], 300, 200]]
            for (var i = 0; i < none.length; ++i)
                compare(pager.layout(none[i][0], none[i][1], none[i][2]).length, 0, "row " + i)
            // A run whose attributes are missing still lays out with defaults.
            var ps = PH.normaliseParagraphs([{ lines: [{ segs: [{ content: "abc", attributeKey: "nope" }] }] }])
            compare(TH.plainText(pager.layout(JR.layoutInput(ps, {}, null), 300, 200).join("")), "abc")
            compare(attrMap([1e12])["k0"].font.size, PH.MAX_FONT_SIZE)
            ps = PH.normaliseParagraphs([null, 5, { lines: "x" }, { lines: [null, { segs: [{ content: 12 }, null] }] }])
            compare([ps.length, ps[3].lines[1].segs[0].content], [4, "12"])
            compare(PH.normaliseParagraphs("nope").length, 0)
            var m = PH.attributeMap([{ key: "k", attributes: { textColor: "red\" onload=\"x", font: { size: "abc", family: ["A'B", 3] } } }])
            compare([m["k"].textColor, m["k"].font.size], ["#ffffffff", PH.DEFAULT_FONT_SIZE])
            verify(TH.spanHtml("x", m["k"], null).indexOf("A'B") < 0)
        }

        function test_paragraphHeadAndRunHtml() {
            var p = PH.normaliseParagraphs([{ lines: [], lineSpacing: 15, letterSpacing: 2, horizontalAlignment: 2 }])[0]
            compare(TH.paragraphHead(p), '<p style="margin:1.50;line-height:1.50;letter-spacing:2px"  align = "RIGHT">')
            var a = PH.normaliseAttributes({ backgroundColor: "#ff000000", textColor: "#ffff0000",
                                             font: { family: "FZKTJW", style: "BOLD_ITALIC", size: 20, isUnderline: true } })
            compare(TH.spanHtml("a b", a, null),
                    '<span style="background-color:#ff000000; color:#ffff0000;font-family:\'FZKai-Z03S\';font-size:20px">'
                    + "<u><i><b>a&nbsp;b</b></i></u></span>")
            compare(PH.horizontalAlignment(7), "CENTER")
            compare([PH.scrollSpeed(501), PH.scrollSpeed(500), PH.scrollSpeed(-1)], [60, 500, 60])
        }
    }
}
