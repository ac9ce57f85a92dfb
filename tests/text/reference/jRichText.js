.pragma library
.import "qrc:/preview/qml/text/baseScheme/js/jtexthandle.js" as TH

// Page layout: the paragraphs are laid out into pages of a given size, each
// page a complete rich-text HTML string. Heights come from a measuring rich
// text item (word wrap, as wide as the page): set its text, read its
// contentHeight.

// The marks that must not begin a page: 。？！，、；：“”‘’
var MARKS = ["\u3002", "\uFF1F", "\uFF01", "\uFF0C", "\u3001", "\uFF1B", "\uFF1A", "\u201C", "\u201D", "\u2018", "\u2019"]

// Beyond this many characters a run is first measured on a prefix of this
// length: when the prefix does not fit, neither does the whole run.
var PROBE_LENGTH = 4096

function isMark(c) {
    return MARKS.indexOf(c) >= 0
}

// Code points of a string (surrogate pairs stay together).
function chars(s) {
    var out = []
    for (var i = 0; i < s.length; ++i) {
        var c = s.charAt(i)
        var code = s.charCodeAt(i)
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < s.length) {
            c += s.charAt(i + 1)
            ++i
        }
        out.push(c)
    }
    return out
}

// maxPages (optional): stop once that many pages are complete.
function PagesText(paragraphs, attrMap, measure, pageWidth, pageHeight, provider, maxPages) {
    var pages = []
    try {
        if (!measure || !(pageWidth > 0) || !(pageHeight > 0)) {
            console.log("getpage error  e=no measuring item or page size " + pageWidth + "x" + pageHeight)
            return pages
        }
        measure.width = pageWidth
        var layout = new Layout(attrMap, measure, pageHeight, provider)
        layout.maxPages = maxPages > 0 ? maxPages : 0
        for (var i = 0; i < paragraphs.length && !layout.full(); ++i) {
            var p = paragraphs[i]
            layout.head = TH.paragraphHead(p)
            layout.page += layout.head
            for (var j = 0; j < p.lines.length && !layout.full(); ++j)
                layout.lineStep(p.lines[j], j > 0, i === paragraphs.length - 1 && j === p.lines.length - 1)
            layout.page += "</p>"
        }
        if (layout.hasContent() && !layout.full())
            layout.push()
        pages = layout.pages
        console.log("[RichText] " + pages.length + " pages, " + layout.measurements + " measurements")
    } catch (e) {
        console.log("getpage error  e=" + e)
    }
    return pages
}

function Layout(attrMap, measure, pageHeight, provider) {
    this.attrMap = attrMap
    this.measure = measure
    this.pageHeight = pageHeight
    this.provider = provider
    this.pages = []
    this.page = ""
    this.head = ""
    this.measurements = 0
    this.lastHtml = null
    this.lastHeight = 0
}

Layout.prototype.full = function () {
    return this.maxPages > 0 && this.pages.length >= this.maxPages
}

Layout.prototype.height = function (html) {
    if (html === this.lastHtml)
        return this.lastHeight
    this.measurements++
    this.measure.text = html
    this.lastHtml = html
    this.lastHeight = this.measure.contentHeight
    return this.lastHeight
}

Layout.prototype.fits = function (html) {
    return this.height(html + "</p>") <= this.pageHeight
}

Layout.prototype.span = function (cs, attr) {
    return TH.spanHtml(cs.join(""), attr, this.provider)
}

// Whether the page holds any text (beyond paragraph heads, ends and breaks).
Layout.prototype.hasContent = function () {
    return this.page.replace(/<p style="[^"]*"  align = "[A-Z]*">/g, "").replace(/<\/p>/g, "").replace(/<br>/g, "") !== ""
}

Layout.prototype.endsWithHead = function () {
    var at = this.page.lastIndexOf("<p style")
    if (at < 0)
        return false
    var tail = this.page.substring(at)
    return /^<p style="[^"]*"  align = "[A-Z]*">$/.test(tail)
}

// Cuts a trailing paragraph head that holds nothing yet.
Layout.prototype.cutEmptyHead = function () {
    if (this.endsWithHead())
        this.page = this.page.substring(0, this.page.lastIndexOf("<p style"))
}

Layout.prototype.push = function () {
    this.cutEmptyHead()
    if (this.hasContent())
        this.pages.push(this.page + "</p>")
    this.page = this.head
}

Layout.prototype.lineStep = function (line, needsBreak, isLast) {
    var segs = line.segs
    if (needsBreak && !this.endsWithHead())
        this.page += "<br>"
    if (segs.length === 1 && (segs[0].content === " " || segs[0].content === "")) {
        var attr = TH.attributesFor(this.attrMap, segs[0].attributeKey)
        var run = TH.spanHtml(" ", attr, this.provider)
        if (!this.fits(this.page + run)) {
            // The break that led here belongs to the page that ends.
            if (this.page.slice(-4) === "<br>")
                this.page = this.page.slice(0, -4)
            this.push()
        }
        this.page += run
        return
    }
    for (var k = 0; k < segs.length && !this.full(); ++k)
        this.runStep(segs[k])
    if (!this.full() && this.hasContent() && !this.endsWithHead()) {
        if (this.height(this.page + "</p>") > this.pageHeight || isLast)
            this.push()
    }
}

// The shortest prefix of cs in the sequence PROBE_LENGTH, 4 x PROBE_LENGTH,
// ... (or cs itself) that does not fit on the page; null when all of cs fits.
// Long runs are thus never laid out whole when a prefix already overflows.
Layout.prototype.overflowingProbe = function (cs, attr) {
    for (var n = PROBE_LENGTH; n < cs.length; n *= 4) {
        var probe = cs.slice(0, n)
        if (!this.fits(this.page + this.span(probe, attr)))
            return probe
    }
    return this.fits(this.page + this.span(cs, attr)) ? null : cs
}

// Whether the page with the run of these characters appended fits.
Layout.prototype.fitsWith = function (cs, attr) {
    return this.overflowingProbe(cs, attr) === null
}

Layout.prototype.runStep = function (seg) {
    if (seg.content === "")
        return
    var attr = TH.attributesFor(this.attrMap, seg.attributeKey)
    var rest = chars(seg.content)
    if (this.fitsWith(rest, attr)) {
        this.page += this.span(rest, attr)
        return
    }
    // Every round either takes characters or pushes a page holding text, so
    // this ends; the guard only protects against a measuring item that lies.
    var guard = 2 * rest.length + 8
    while (rest.length > 0 && !this.full() && !this.fitsWith(rest, attr)) {
        if (--guard < 0) {
            console.log("getpage error  e=layout made no progress, " + rest.length + " characters kept on one page")
            break
        }
        rest = this.splitStep(rest, attr)
    }
    if (rest.length > 0 && !this.full())
        this.page += this.span(rest, attr)
}

// The largest k in [lo, hi) for which pred holds, pred(lo) being taken as
// true and pred(hi) as false (pred holds for every k up to the answer). The
// search starts at the estimate n: doubling steps away from it, then halving.
function largestTrue(pred, lo, hi, n) {
    n = Math.max(lo + 1, Math.min(hi - 1, n))
    var step = 1
    if (n <= lo || n >= hi)
        return lo
    if (pred(n)) {
        lo = n
        while (lo + step < hi) {
            if (pred(lo + step)) {
                lo = lo + step
                step *= 2
            } else {
                hi = lo + step
                break
            }
        }
    } else {
        hi = n
        while (hi - step > lo) {
            if (pred(hi - step)) {
                lo = hi - step
                break
            }
            hi = hi - step
            step *= 2
        }
    }
    while (hi - lo > 1) {
        var mid = Math.floor((lo + hi) / 2)
        if (pred(mid))
            lo = mid
        else
            hi = mid
    }
    return lo
}

// The largest k such that the page with the first k characters fits (0 when
// none does; all of cs is known not to fit).
Layout.prototype.largestFit = function (cs, attr, n) {
    var self = this
    return largestTrue(function (k) { return self.fits(self.page + self.span(cs.slice(0, k), attr)) }, 0, cs.length, n)
}

// Fills the current page with a prefix of cs, pushes it and returns the rest.
Layout.prototype.splitStep = function (cs, attr) {
    var len = cs.length
    var probe = this.overflowingProbe(cs, attr) || cs
    var plen = probe.length
    // Estimate the cut from how far the probe overflows, relative to its own height.
    var over = this.height(this.page + this.span(probe, attr) + "</p>") - this.pageHeight
    // On a page that holds only the paragraph head the run is already alone.
    var alone = this.page === this.head ? over + this.pageHeight
                                        : this.height(this.head + this.span(probe, attr) + "</p>")
    var n = alone > 0 ? Math.ceil(((alone - over) / alone) * plen) : 0
    n = Math.max(0, Math.min(len - 1, n))
    var k = this.largestFit(cs, attr, n)
    // A mark never begins the next page: the characters before it go with it.
    while (k > 0 && isMark(cs[k]) && (k > 1 || this.hasContent()))
        --k
    if (k > 0) {
        this.page += this.span(cs.slice(0, k), attr)
        this.push()
        return cs.slice(k)
    }
    if (this.hasContent()) {
        this.push()
        return cs
    }
    return this.oversizedStep(cs, attr)
}

// Nothing fits on an empty page: a glyph taller than the page. The page takes
// the characters of one line of it.
Layout.prototype.oversizedStep = function (cs, attr) {
    var base = this.head
    var one = this.height(base + this.span(cs.slice(0, 1), attr) + "</p>")
    var self = this
    var m = largestTrue(function (k) { return self.height(base + self.span(cs.slice(0, k), attr) + "</p>") === one },
                        1, cs.length + 1, 2)
    while (m > 1 && m < cs.length && isMark(cs[m]))
        --m
    this.page += this.span(cs.slice(0, m), attr)
    if (m < cs.length)
        this.push()
    return cs.slice(m)
}
