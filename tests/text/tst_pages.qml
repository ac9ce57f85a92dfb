import QtQuick 2.15
import QtTest 1.15
import an.kest.text 1.0
import "qrc:/preview/qml/text/baseScheme/js/jRichText.js" as JR
import "qrc:/preview/qml/text/baseScheme/js/jtexthandle.js" as TH
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH

// The page layout over generated texts of many kinds and page sizes: the
// pages hold every character once, in order, each page opening the
// paragraph of its first character; none is higher than the page
// (but for a line of a glyph taller than the page); and each is full: with
// the next character it would be higher than the page.
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
        name: "PageLayoutRows"
        when: windowShown

        function test_pagesHoldAllTextAndAreFull_data() {
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

        // Every character of the input with the paragraph, line and run it
        // belongs to (a blank line is one space).
        function flatten(input) {
            var out = []
            for (var p = 0; p < input.length; ++p)
                for (var l = 0; l < input[p].lines.length; ++l) {
                    var runs = input[p].lines[l]
                    if (runs.length === 1 && (runs[0].text === " " || runs[0].text === ""))
                        runs = [{ text: " ", open: runs[0].open, close: runs[0].close }]
                    for (var r = 0; r < runs.length; ++r)
                        for (var i = 0; i < runs[r].text.length; ++i)
                            out.push({ c: runs[r].text.charAt(i).replace(/\s/, " "), p: p, l: l, run: runs[r],
                                       head: input[p].head })
                }
            return out
        }

        function test_pagesHoldAllTextAndAreFull(row) {
            var input = JR.layoutInput(paragraphs(row.ps), attrMap(row.sizes), null)
            var pages = pager.layout(input, row.w, row.h)
            var flat = flatten(input)
            verify(pages.length > 0)
            measure.width = row.w
            var at = 0
            for (var i = 0; i < pages.length; ++i) {
                if (at < flat.length)
                    verify(pages[i].indexOf("<p style") === 0
                           && pages[i].lastIndexOf(flat[at].head, pages[i].indexOf("<span")) >= 0, "head of page " + i)
                var text = TH.plainText(pages[i])
                compare(text, flat.slice(at, at + text.length).map(function (f) { return f.c }).join(""),
                        "text of page " + i)
                at += text.length
                measure.text = pages[i]
                verify(measure.contentHeight <= row.h || measure.lineCount === 1,
                       "page " + i + " is " + measure.contentHeight + " high")
                if (i + 1 === pages.length || at >= flat.length)
                    continue
                // The next character, with the marks after it (which may not
                // begin a page), where it would go on this page.
                var next = flat[at], n = 1
                while (at + n < flat.length && flat[at + n].run === next.run && marks.indexOf(flat[at + n].c) >= 0)
                    ++n
                var add = next.run.open + TH.escapeText(flat.slice(at, at + n).map(function (f) { return f.c }).join(""))
                        + next.run.close
                var body = pages[i].slice(0, -"</p>".length)
                if (next.p !== flat[at - 1].p)
                    measure.text = pages[i] + next.head + add + "</p>"
                else if (next.l !== flat[at - 1].l)
                    measure.text = body + "<br>" + add + "</p>"
                else
                    measure.text = body + add + "</p>"
                verify(measure.contentHeight > row.h, "page " + i + " could hold '" + next.c + "' more")
            }
            compare(at, flat.length, "characters on the pages")
        }
    }
}
