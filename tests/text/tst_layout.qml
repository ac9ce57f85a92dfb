import QtQuick 2.15
import QtTest 1.15
import an.kest.text 1.0
import "qrc:/preview/qml/text/baseScheme/js/jRichText.js" as JR
import "qrc:/preview/qml/text/baseScheme/js/jtexthandle.js" as TH
import "qrc:/preview/qml/text/baseScheme/js/protocolhelper.js" as PH

// Page layout of the rich text: nothing lost or doubled across pages, marks
// never begin a page, oversized glyphs and bad content end cleanly.
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

    readonly property string marks: "\u3002\uFF1F\uFF01\uFF0C\u3001\uFF1B\uFF1A\u201C\u201D\u2018\u2019"
    function isMark(c) {
        return c.length === 1 && marks.indexOf(c) >= 0
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

    function cjk(n) {
        var base = "天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏。闰余成岁，律吕调阳！云腾致雨、露结为霜；金生丽水：玉出昆冈“剑号巨阙”珠称夜光‘果珍李柰’菜重芥姜？"
        var s = ""
        while (s.length < n)
            s += base
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

    function pageHeights(pages, w) {
        measure.width = w
        return pages.map(function (p) { measure.text = p; return measure.contentHeight })
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

        function test_latinLongText() {
            var ps = [para([latin(6000)])]
            var pages = check(ps, attrs("DejaVu Sans", 20), 400, 300)
            verify(pages.length > 5, "expected several pages, got " + pages.length)
            var hs = pageHeights(pages, 400)
            for (var i = 0; i < hs.length; ++i)
                verify(hs[i] <= 300, "page " + i + " is " + hs[i] + " high")
        }

        function test_cjkLongTextAndMarks() {
            var ps = [para([cjk(5000)])]
            var pages = check(ps, attrs("WenQuanYi Micro Hei", 24), 300, 200)
            verify(pages.length > 5)
            for (var i = 1; i < pages.length; ++i) {
                var first = TH.plainText(pages[i]).charAt(0)
                verify(!isMark(first), "page " + i + " starts with " + first)
            }
            var hs = pageHeights(pages, 300)
            for (i = 0; i < hs.length; ++i)
                verify(hs[i] <= 200, "page " + i + " is " + hs[i] + " high")
        }

        // Every possible cut position meets a mark: no page may begin with one.
        function test_markAfterEveryCharacter() {
            var s = ""
            for (var i = 0; i < 600; ++i)
                s += (i % 2 === 0) ? "字" : marks.charAt(i % marks.length)
            var pages = check([para([s])], attrs("WenQuanYi Micro Hei", 22), 200, 90)
            verify(pages.length > 2)
            for (i = 1; i < pages.length; ++i)
                verify(!isMark(TH.plainText(pages[i]).charAt(0)), "page " + i)
        }

        function test_severalParagraphsLinesAndRuns() {
            var ps = [para([["Hello ", "world "], "", latin(700)]), para([" ", cjk(400), ["a", "", "b"]]),
                      para([latin(300)])]
            var map = attrs("DejaVu Sans", 18)
            check(ps, map, 320, 160)
        }

        function test_glyphTallerThanPage() {
            var ps = [para(["ABCDEFG 字字字"])]
            var pages = check(ps, attrs("DejaVu Sans", 400), 300, 100)
            verify(pages.length >= 2)
        }

        function test_glyphTallerThanPageInMiddleOfText() {
            var map = PH.attributeMap([
                { key: "a", attributes: { font: { family: "DejaVu Sans", size: 16 } } },
                { key: "b", attributes: { font: { family: "DejaVu Sans", size: 300 } } }])
            var ps = PH.normaliseParagraphs([{ lines: [{ segs: [{ content: latin(200), attributeKey: "a" },
                                                                 { content: "XYZ", attributeKey: "b" },
                                                                 { content: latin(100), attributeKey: "a" }] }] }])
            check(ps, map, 300, 120)
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

        function test_hundredThousandCharacters() {
            var ps = [para([latin(100000)])]
            var t0 = Date.now()
            var pages = check(ps, attrs("DejaVu Sans", 16), 1920, 1080)
            console.log("100000 characters: " + pages.length + " pages in " + (Date.now() - t0) + " ms")
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
