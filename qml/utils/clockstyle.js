.pragma library

// Text style of the clock and timer scenes from a font record:
// {"font": {"family": [..], "style": "BOLD" | 0 ..., "size": px, "isUnderline": bool}, "textColor": "#AARRGGBB"}.

function style(attrs, provider) {
    var a = (attrs && typeof attrs === "object") ? attrs : {}
    var f = (a.font && typeof a.font === "object") ? a.font : {}
    var key = ""
    if (Array.isArray(f.family) && typeof f.family[0] === "string")
        key = f.family[0]
    else if (typeof f.family === "string")
        key = f.family
    var family = key
    if (provider && key !== "") {
        var known = provider.getFontName(key)
        if (known)
            family = known
    }
    var s = f.style
    var bold = s === "BOLD" || s === "BOLD_ITALIC" || s === 0 || s === 3
    var italic = s === "ITALIC" || s === "BOLD_ITALIC" || s === 2 || s === 3
    var size = (typeof f.size === "number" && isFinite(f.size) && f.size > 0) ? Math.min(Math.round(f.size), 2000) : 12
    var color = (typeof a.textColor === "string" && a.textColor !== "") ? a.textColor : "#FFFF0000"
    return { family: family, bold: bold, italic: italic, underline: f.isUnderline === true, size: size, color: color }
}

// Applies a style to a Text item.
function apply(text, st) {
    if (st.family !== "")
        text.font.family = st.family
    text.font.bold = st.bold
    text.font.italic = st.italic
    text.font.underline = st.underline
    text.font.pixelSize = st.size
    if (text.pixelSize !== undefined)
        text.pixelSize = st.size
    text.color = st.color
}

// The CSS font text of a style for a Canvas context.
function canvasFont(st) {
    return (st.italic ? "italic " : "") + (st.bold ? "bold " : "") + st.size + "px \"" + (st.family || "sans-serif") + "\""
}

// Milliseconds until the next whole second of a clock that is msec into its second.
function untilNextSecond(msec) {
    return Math.max(20, 1000 - msec + 5)
}
