.pragma library

// Reading the widget record and its rich-text content defensively: every
// member may be missing or of the wrong type. Readers return a default and
// log what they refused.

var DISPLAY_PAGE_SWITCH = "PAGE_SWITCH"
var DISPLAY_SCROLL = "SCROLL"
var DISPLAY_STATIC = "STATIC"

var SCROLL_ANIMATIONS = ["NONE", "CLOCK_WISE", "ANTI_CLOCK_WISE", "MARQUEE_LEFT", "MARQUEE_RIGHT",
                         "MARQUEE_DOWN", "MARQUEE_UP", "PAN_LEFT"]

// Largest and smallest font size the layout accepts, in pixels.
var MAX_FONT_SIZE = 2000
var MIN_FONT_SIZE = 1
var DEFAULT_FONT_SIZE = 16
var DEFAULT_SCROLL_SPEED = 60
var MAX_SCROLL_SPEED = 500

function isObject(v) {
    return v !== null && typeof v === "object" && !Array.isArray(v)
}

function obj(v) {
    return isObject(v) ? v : ({})
}

function arr(v) {
    return Array.isArray(v) ? v : []
}

function num(v, def) {
    if (typeof v === "number" && isFinite(v))
        return v
    if (typeof v === "string" && v.trim() !== "" && isFinite(Number(v)))
        return Number(v)
    return def
}

function bool(v, def) {
    if (typeof v === "boolean")
        return v
    if (typeof v === "number")
        return v !== 0
    if (v === "true")
        return true
    if (v === "false")
        return false
    return def
}

function str(v, def) {
    if (typeof v === "string")
        return v
    if (typeof v === "number" || typeof v === "boolean")
        return String(v)
    return def
}

// A colour usable inside HTML and by Qt: "#" and 3, 4, 6 or 8 hex digits, or a name.
function color(v, def) {
    if (typeof v === "string") {
        var s = v.trim()
        if (/^#([0-9a-fA-F]{3}|[0-9a-fA-F]{4}|[0-9a-fA-F]{6}|[0-9a-fA-F]{8})$/.test(s))
            return s
        if (/^[a-zA-Z]{3,30}$/.test(s))
            return s
        if (s !== "")
            console.log("[RichText] unusable colour " + JSON.stringify(v))
    }
    return def
}

// "LEFT", "CENTER", "RIGHT" or 0, 1, 2; anything else is CENTER.
function horizontalAlignment(v) {
    if (v === "LEFT" || v === 0)
        return "LEFT"
    if (v === "RIGHT" || v === 2)
        return "RIGHT"
    return "CENTER"
}

// "TOP", "CENTER", "BOTTOM" or 0, 1, 2; anything else is CENTER.
function verticalAlignment(v) {
    if (v === "TOP" || v === 0)
        return "TOP"
    if (v === "BOTTOM" || v === 2)
        return "BOTTOM"
    return "CENTER"
}

function displayType(v) {
    if (v === DISPLAY_SCROLL || v === 1)
        return DISPLAY_SCROLL
    if (v === DISPLAY_STATIC || v === 2)
        return DISPLAY_STATIC
    if (v !== DISPLAY_PAGE_SWITCH && v !== 0 && v !== undefined)
        console.log("[RichText] unknown display type " + JSON.stringify(v) + ", paging")
    return DISPLAY_PAGE_SWITCH
}

function scrollAnimation(v) {
    if (typeof v === "number" && v >= 0 && v < SCROLL_ANIMATIONS.length)
        return SCROLL_ANIMATIONS[Math.floor(v)]
    if (typeof v === "string" && SCROLL_ANIMATIONS.indexOf(v) >= 0)
        return v
    return "NONE"
}

function isHorizontalAnimation(a) {
    return a === "MARQUEE_LEFT" || a === "MARQUEE_RIGHT" || a === "PAN_LEFT"
}

// Pixels per second; out-of-range speeds become 60.
function scrollSpeed(v) {
    var s = num(v, DEFAULT_SCROLL_SPEED)
    if (s < 0 || s > MAX_SCROLL_SPEED) {
        console.log("[RichText] scroll speed " + s + " out of range, using " + DEFAULT_SCROLL_SPEED)
        return DEFAULT_SCROLL_SPEED
    }
    return s
}

function fontSize(v) {
    var s = num(v, DEFAULT_FONT_SIZE)
    if (s < MIN_FONT_SIZE || s > MAX_FONT_SIZE) {
        var c = Math.max(MIN_FONT_SIZE, Math.min(MAX_FONT_SIZE, s))
        console.log("[RichText] font size " + s + " out of range, using " + c)
        return c
    }
    return s
}

// The paragraphs with every member checked: lines of runs of strings.
function normaliseParagraphs(v) {
    var out = []
    var ps = arr(v)
    for (var i = 0; i < ps.length; ++i) {
        var p = obj(ps[i])
        var lines = []
        var ls = arr(p.lines)
        for (var j = 0; j < ls.length; ++j) {
            var segs = []
            var ss = arr(obj(ls[j]).segs)
            for (var k = 0; k < ss.length; ++k) {
                var s = obj(ss[k])
                segs.push({ content: str(s.content, ""), attributeKey: str(s.attributeKey, "") })
            }
            lines.push({ segs: segs })
        }
        out.push({
            lines: lines,
            lineSpacing: num(p.lineSpacing, 0),
            letterSpacing: num(p.letterSpacing, 0),
            horizontalAlignment: horizontalAlignment(p.horizontalAlignment),
            verticalAlignment: verticalAlignment(p.verticalAlignment),
            backgroundColor: color(p.backgroundColor, "#00000000")
        })
    }
    return out
}

function normaliseAttributes(a) {
    a = obj(a)
    var f = obj(a.font)
    var family = f.family
    if (Array.isArray(family))
        family = family.map(function (x) { return str(x, "") }).filter(function (x) { return x !== "" }).join(",")
    return {
        backgroundColor: color(a.backgroundColor, "#00000000"),
        textColor: color(a.textColor, "#ffffffff"),
        font: {
            family: str(family, ""),
            style: ["NORMAL", "BOLD", "ITALIC", "BOLD_ITALIC"].indexOf(f.style) >= 0 ? f.style : "NORMAL",
            size: fontSize(f.size),
            isUnderline: bool(f.isUnderline, false)
        }
    }
}

// key -> attributes
function attributeMap(v) {
    var map = {}
    var as = arr(v)
    for (var i = 0; i < as.length; ++i) {
        var e = obj(as[i])
        var key = str(e.key, "")
        map[key] = normaliseAttributes(e.attributes)
    }
    return map
}

function hasText(paragraphs) {
    return paragraphs.length > 0 && paragraphs[0].lines.length > 0 && paragraphs[0].lines[0].segs.length > 0
}

function foldInfo(v) {
    var f = obj(v)
    var items = []
    var ls = arr(f.layoutItems)
    for (var i = 0; i < ls.length; ++i) {
        var r = obj(ls[i])
        var w = num(r.width, 0), h = num(r.height, 0)
        if (w <= 0 || h <= 0) {
            console.log("[RichText] fold rectangle " + i + " has no area, skipped")
            continue
        }
        items.push({ x: num(r.x, 0), y: num(r.y, 0), width: w, height: h })
    }
    return {
        enable: bool(f.enable, false) && items.length > 0,
        orientation: num(f.orientation, 0) === 1 ? 1 : 0,
        count: items.length,
        layoutItems: items
    }
}

// The display info the display components work from, built from widgetStr.
// Throws on unparsable JSON.
function buildInfo(widgetStr) {
    var w = JSON.parse(widgetStr)
    if (!isObject(w))
        throw new Error("widget record is not an object")
    var meta = obj(w.metadata)
    var content = obj(meta.content)
    var ds = obj(content.displayStyle)
    var psa = obj(ds.pageSwitchAttributes)
    var inAnim = obj(psa.inAnimation)
    var eff = obj(obj(ds.scrollAttributes).effects)
    var off = obj(ds.offset)
    var music = obj(content.backgroundMusic)
    var info = {
        id: str(w.id, ""),
        zOrder: Math.floor(num(w.zOrder, 0)),
        mediaType: "Rich",
        duration: Math.max(0, num(w.duration, 10000)),
        backgroundColor: color(w.backgroundColor, "#00000000"),
        textAntialiasing: bool(meta.textAntialiasing, false),
        paragraphs: normaliseParagraphs(content.paragraphs),
        attrMap: attributeMap(content.textAttributes),
        backgroundMusic: {
            isTextSync: bool(music.isTextSync, false),
            duration: Math.max(0, num(music.duration, 0))
        },
        displayStyle: {
            type: displayType(ds.type),
            pageSwitchAttributes: {
                inAnimation: { type: Math.floor(num(inAnim.type, 0)), duration: Math.max(0, num(inAnim.duration, 1000)) },
                remainDuration: num(psa.remainDuration, 5000)
            },
            scrollAttributes: {
                effects: {
                    speed: scrollSpeed(eff.speed),
                    animation: scrollAnimation(eff.animation),
                    isHeadTail: bool(eff.isHeadTail, false),
                    headTailSpacing: Math.max(0, num(eff.headTailSpacing, 0))
                }
            },
            offset: { x: num(off.x, 0), y: num(off.y, 0) }
        },
        fold: foldInfo(w.fold)
    }
    if (info.displayStyle.pageSwitchAttributes.remainDuration <= 0) {
        console.log("[RichText] remainDuration " + info.displayStyle.pageSwitchAttributes.remainDuration + " refused, using 5000")
        info.displayStyle.pageSwitchAttributes.remainDuration = 5000
    }
    return info
}
