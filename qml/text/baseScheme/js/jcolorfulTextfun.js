.pragma library
.import "protocolhelper.js" as PH

// The colourful text: reading its content, the gradient stops, the static
// fit and the marquee passes. Pure functions; the items measure.

var COLORFUL_TYPES = ["TEXTURE", "GRADIENT_HORIZONTAL", "GRADIENT_VERTICAL", "GRADIENT_OBLIQUE", "FADE_IN_FADE_OUT"]
var MAX_STOPS = 6

function displayType(v) {
    if (v === "SCROLL" || v === 1)
        return "SCROLL"
    if (v === "OBO" || v === 3)
        return "OBO"
    return "STATIC"
}

function colorfulType(v) {
    if (typeof v === "number" && v >= 0 && v < COLORFUL_TYPES.length)
        return COLORFUL_TYPES[Math.floor(v)]
    if (typeof v === "string" && COLORFUL_TYPES.indexOf(v) >= 0)
        return v
    return "FADE_IN_FADE_OUT"
}

function fontStyle(v) {
    var names = ["BOLD", "NORMAL", "ITALIC", "BOLD_ITALIC"]
    if (typeof v === "number" && v >= 0 && v < names.length)
        return names[Math.floor(v)]
    return names.indexOf(v) >= 0 ? v : "NORMAL"
}

// The content with every member checked and the documented defaults filled in.
function readContent(c) {
    c = PH.obj(c)
    var text = PH.str(c.content, "")
    if (text === "")
        console.log("metadataContent.content is empty")
    var ta = PH.obj(c.textAttributes)
    var eff = PH.obj(ta.effects)
    var font = PH.obj(ta.font)
    var family = Array.isArray(font.family) ? font.family[0] : font.family
    var pa = PH.obj(c.paragraphAttributes)
    var se = PH.obj(PH.obj(c.scrollAttributes).effects)
    var off = PH.obj(c.offset)
    var style = fontStyle(font.style)
    var out = {
        text: text,
        type: c.type === undefined ? "SCROLL" : displayType(c.type),
        blink: PH.bool(PH.obj(c.twinkleAttributes).enable, false),
        speed: PH.num(se.speed, 60),
        // Left for "MARQUEE_LEFT" (or 1, or none given); anything else scrolls right.
        toRight: !(se.animation === "MARQUEE_LEFT" || se.animation === 1 || se.animation === undefined),
        headTail: PH.bool(se.isHeadTail, false),
        headTailSpacing: Math.max(0, PH.num(se.headTailSpacing, 0)),
        offsetX: PH.num(off.x, 0),
        offsetY: PH.num(off.y, 0),
        colorful: PH.bool(ta.colorfulEnable, true),
        colorfulType: colorfulType(eff.type),
        colors: PH.arr(eff.colors).slice(0, MAX_STOPS).map(function (x) { return PH.color(x, "") }),
        texture: PH.str(eff.TempTexturePath, "") || PH.str(eff.texture, ""),
        textColor: PH.color(ta.textColor, "#FFFF0000"),
        family: PH.str(family, ""),
        bold: style === "BOLD" || style === "BOLD_ITALIC",
        italic: style === "ITALIC" || style === "BOLD_ITALIC",
        size: PH.fontSize(font.size),
        underline: PH.bool(font.isUnderline, false),
        stroke: PH.bool(ta.strokeEnable, false),
        strokeWidth: Math.max(0, Math.min(100, PH.num(ta.strokeWidth, 2))),
        strokeColor: PH.color(ta.strokeColor, "#FFFF59B7"),
        letterSpacing: PH.num(ta.letterSpacing, 0),
        lineSpacing: PH.num(pa.lineSpacing, 0),
        hAlign: pa.horizontalAlignment === undefined ? "LEFT" : PH.horizontalAlignment(pa.horizontalAlignment),
        vAlign: PH.verticalAlignment(pa.verticalAlignment)
    }
    // A line lower than one pixel cannot be laid out.
    if (out.size + out.lineSpacing < 1)
        out.lineSpacing = 1 - out.size
    if (out.type === "SCROLL")
        out.text = out.text.replace(/\r\n/g, " ")
    return out
}

// Six stops: the first colour at 0, colour k + 1 at k / (n - 1) - 0.001, the
// sixth at 1. Stops past the last colour repeat it at 1, so the fill never
// fades out; one colour fills solid.
function gradientStops(colors) {
    var n = colors.length
    var stops = []
    var last = n ? colors[n - 1] : "transparent"
    stops.push({ position: 0, color: n ? colors[0] : "transparent" })
    for (var k = 1; k <= 4; ++k) {
        if (n > k)
            stops.push({ position: Math.max(0, k / (n - 1) - 0.001), color: colors[k] })
        else
            stops.push({ position: 1, color: last })
    }
    stops.push({ position: 1, color: n > 5 ? colors[5] : last })
    return stops
}

function gradientEnd(type, w, h) {
    if (type === "GRADIENT_HORIZONTAL")
        return Qt.point(w, 0)
    if (type === "GRADIENT_VERTICAL")
        return Qt.point(0, h)
    return Qt.point(w, h)
}

// The texture as a URL: local paths get "file:///", addresses stay.
function textureUrl(path) {
    if (path === "")
        return ""
    if (/^[a-zA-Z][a-zA-Z0-9+.-]*:\/\//.test(path) || path.indexOf("qrc:") === 0)
        return path
    return "file:///" + path.replace(/^\/+/, "")
}

// Largest k in [lo, hi] with fits(k), given fits(lo) (lo may be a guess
// that is then corrected); searches outward from start in doubling steps,
// then halves, so a good start needs few measurements.
function largestFitting(fits, start, hi) {
    var lo = 0
    start = Math.max(0, Math.min(hi, start))
    if (fits(start)) {
        lo = start
        var step = 1
        var probe = start + 1
        while (probe <= hi && fits(probe)) {
            lo = probe
            step *= 2
            probe = lo + step
        }
        hi = Math.min(hi, probe - 1)
    } else {
        var up = start - 1
        var down = 1
        var p = start - 1
        while (p > 0 && !fits(p)) {
            up = p - 1
            down *= 2
            p = start - down
        }
        if (p <= 0)
            p = 0
        lo = p
        hi = up
    }
    while (lo < hi) {
        var mid = Math.floor((lo + hi + 1) / 2)
        if (fits(mid))
            lo = mid
        else
            hi = mid - 1
    }
    return lo
}

// The prefix of the text (given as code points) that a static text shows.
// measure(prefix, wrap) returns { width, height } of the laid-out prefix.
function fitStatic(chars, layerW, layerH, pixelSize, lineHeight, measure) {
    var n = chars.length
    var prefix = function (k) { return chars.slice(0, k).join("") }
    if (n === 0 || layerW <= 0)
        return { text: "", wrap: true }
    var rows = Math.floor(layerH / lineHeight)
    if (rows < 1) {
        // Lower than one line: one unwrapped line, narrower than the layer.
        var k = largestFitting(function (m) { return m === 0 || measure(prefix(m), false).width < layerW },
                               Math.floor(layerW / pixelSize), Math.min(n, Math.ceil(layerW / Math.max(1, pixelSize / 20)) + 1))
        return { text: prefix(Math.max(0, k - 1)), wrap: false }
    }
    // No more characters fit than the narrowest glyphs (a twentieth of the
    // pixel size) fill the rows; the rest is never shown, and laying out a
    // very long text whole would stall the scene.
    var cap = Math.min(n, Math.ceil(layerW / Math.max(1, pixelSize / 20)) * (rows + 1))
    if (measure(prefix(cap), true).height <= layerH + 0.5)
        return { text: prefix(cap), wrap: true }
    var start = Math.min(cap, Math.floor(layerW / pixelSize) * rows)
    var best = largestFitting(function (m) { return m === 0 || measure(prefix(m), true).height <= layerH + 0.5 },
                              start, cap)
    return { text: prefix(best), wrap: true }
}

// The marquee passes for a text textW wide in a layer layerW wide.
// Returns null when there is nothing to move.
function marquee(textW, layerW, speed, headTail, spacing, toRight) {
    if (!(textW > 0) || !(layerW > 0))
        return null
    var gap = headTail ? spacing : 0
    var copies = 1
    if (headTail)
        copies += 1 + (textW <= layerW ? 1 + Math.floor(layerW / textW) : 1)
    var total = copies * textW + gap * (copies - 1)
    var pitch = textW + gap
    var m = { copies: copies, gap: gap, still: !(speed > 0) }
    var ms = function (d) { return speed > 0 ? Math.ceil(d * 1000 / speed) : 0 }
    if (!toRight) {
        m.firstFrom = layerW
        m.firstTo = -pitch
        m.secondFrom = 0
        m.stillAt = 0
    } else {
        m.firstFrom = -total
        m.firstTo = -total + layerW + pitch
        m.secondFrom = layerW - total
        m.stillAt = layerW - total
    }
    m.secondTo = m.firstTo
    m.firstDuration = ms(textW + layerW + gap)
    m.secondDuration = ms(pitch)
    m.repeatFirst = !headTail
    return m
}
