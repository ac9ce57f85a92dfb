import QtQuick 2.15
import QtTest 1.15
import an.kest.text 1.0
import "qrc:/preview/qml/text/baseScheme/js/jRichText.js" as JR
import "qrc:/preview/qml/text/baseScheme/js/jtexthandle.js" as TH
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH

// Page layout of the rich text: markup characters stay text, huge sizes are
// clamped, long texts are laid out off the GUI thread, bad content ends
// cleanly (the pages themselves: tst_pages.qml).
Item {
    id: top
    width: 800
    height: 600

    NWPageLayout {
        id: pager
    }

    function layOut(paragraphs, attrMap, w, h) {
        return pager.layout(JR.layoutInput(paragraphs, attrMap, null), w, h)
    }

    TextEdit {
        id: reader
        visible: false
        textFormat: TextEdit.RichText
    }

    function attrs(family, size, style) {
        return PH.attributeMap([{ key: "a", attributes: { textColor: "#ffffffff", backgroundColor: "#00000000",
                                   font: { family: family, size: size, style: style || "NORMAL" } } }])
    }

    function para(lines) {
        return PH.normaliseParagraphs([{ lines: lines.map(function (l) {
            return { segs: (Array.isArray(l) ? l : [l]).map(function (t) { return { content: t, attributeKey: "a" } }) }
        }), horizontalAlignment: "LEFT", verticalAlignment: "TOP" }])[0]
    }

    function latin(n) {
        var words = ["lorem", "ipsum", "dolor", "sit", "amet,", "consectetur", "adipiscing", "elit.", "Sed",
                     "do", "eiusmod", "tempor", "incididunt", "ut", "labore", "et", "dolore", "magna", "aliqua"]
        var s = "", i = 0
        while (s.length < n) {
            s += words[i % words.length] + (i % 7 === 6 ? "  " : " ")
            ++i
        }
        return s.substring(0, n)
    }

    // The visible text of all pages, in order.
    function pagesText(pages) {
        var s = ""
        for (var i = 0; i < pages.length; ++i)
            s += TH.plainText(pages[i])
        return s
    }

    function expected(paragraphs) {
        var s = ""
        for (var i = 0; i < paragraphs.length; ++i)
            for (var j = 0; j < paragraphs[i].lines.length; ++j)
                for (var k = 0; k < paragraphs[i].lines[j].segs.length; ++k) {
                    var segs = paragraphs[i].lines[j].segs
                    var c = segs[k].content
                    s += (segs.length === 1 && c === "") ? " " : c.replace(/\s/g, " ")
                }
        return s
    }

    TestCase {
        name: "PageLayout"
        when: windowShown

        function check(paragraphs, attrMap, w, h) {
            var pages = layOut(paragraphs, attrMap, w, h)
            verify(pages.length > 0, "no pages")
            compare(pagesText(pages), expected(paragraphs), "text lost or doubled across pages")
            return pages
        }

        function test_markupCharactersAreText() {
            var ps = [para(["a<b>bold?</b> & <i>c</i> &amp; <br> x"])]
            var pages = check(ps, attrs("DejaVu Sans", 20), 600, 400)
            compare(pages.length, 1)
            verify(pages[0].indexOf("<b>bold") < 0)
            reader.text = pages[0]
            compare(reader.getText(0, reader.length).replace(/\u00a0/g, " ").trim(),
                    "a<b>bold?</b> & <i>c</i> &amp; <br> x")
        }

        function test_hugeFontSizeIsClamped() {
            var map = attrs("DejaVu Sans", 1e12)
            compare(map["a"].font.size, PH.MAX_FONT_SIZE)
            check([para(["big"])], map, 400, 300)
        }

        // A long text is laid out on a worker thread: the first page arrives
        // first, then all pages, the same as laid out at once; the same text
        // again comes from the finished layouts at once.
        function test_longTextOffTheGuiThread() {
            var input = JR.layoutInput([para([latin(20000)])], attrs("DejaVu Sans", 20), null)
            var expected = pager.layout(input, 400, 300)
            var c = Qt.createQmlObject("import an.kest.text 1.0; NWPageLayout {}", top)
            var added = [], done = -1
            c.pageAdded.connect(function (i, p) { added.push(i) })
            c.finished.connect(function (n) { done = n })
            c.start(input, 400, 300)
            verify(c.running)
            compare(done, -1)
            tryVerify(function () { return done >= 0 }, 20000)
            compare(added[0], 0)
            compare(added.length, expected.length)
            compare(done, expected.length)
            compare(c.pages.join(""), expected.join(""))
            done = -1
            c.start(input, 400, 300)
            compare(done, expected.length)
            verify(!c.running)
            // A newer layout replaces a running one; a layout running when
            // its component goes away ends quietly.
            c.start(JR.layoutInput([para([latin(30000)])], attrs("DejaVu Sans", 20), null), 400, 300)
            done = -1
            c.start(JR.layoutInput([para([latin(9000)])], attrs("DejaVu Sans", 22), null), 410, 300)
            tryVerify(function () { return done >= 0 }, 20000)
            compare(c.pages.join(""), pager.layout(JR.layoutInput([para([latin(9000)])], attrs("DejaVu Sans", 22), null), 410, 300).join(""))
            c.start(JR.layoutInput([para([latin(40000)])], attrs("DejaVu Sans", 20), null), 400, 300)
            c.destroy()
            wait(0)
        }

        function test_emptyAndDegenerateInput() {
            compare(layOut([], {}, 300, 200).length, 0)
            compare(layOut([para([""])], attrs("DejaVu Sans", 16), 0, 200).length, 0)
            compare(layOut([para(["x"])], attrs("DejaVu Sans", 16), 300, -5).length, 0)
            // Input of the wrong shape reads as no text.
            compare(pager.layout("nope", 300, 200).length, 0)
            compare(pager.layout([null, 5, { head: 3, lines: [7, [null, { text: 4 }]] }], 300, 200).length, 0)
            // A run whose attributes are missing still lays out with defaults.
            var ps = PH.normaliseParagraphs([{ lines: [{ segs: [{ content: "abc", attributeKey: "nope" }] }] }])
            compare(TH.plainText(layOut(ps, {}, 300, 200).join("")), "abc")
            // A single blank line counts as one blank line of text.
            var blank = layOut([para([" "])], attrs("DejaVu Sans", 16), 300, 200)
            compare(blank.length, 1)
        }

        function test_wrongTypesAreNormalised() {
            var ps = PH.normaliseParagraphs([null, 5, { lines: "x" }, { lines: [null, { segs: [{ content: 12 }, null] }] }])
            compare(ps.length, 4)
            compare(ps[3].lines[1].segs[0].content, "12")
            compare(PH.normaliseParagraphs("nope").length, 0)
            var m = PH.attributeMap([{ key: "k", attributes: { textColor: "red\" onload=\"x", font: { size: "abc", family: ["A'B", 3] } } }])
            compare(m["k"].textColor, "#ffffffff")
            compare(m["k"].font.size, PH.DEFAULT_FONT_SIZE)
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
            compare(PH.scrollSpeed(501), 60)
            compare(PH.scrollSpeed(500), 500)
            compare(PH.scrollSpeed(-1), 60)
        }
    }
}
