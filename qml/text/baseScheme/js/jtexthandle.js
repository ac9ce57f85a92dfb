.pragma library

// Rich-text HTML of the widget's runs and paragraphs, and the font aliases.

var DEFAULT_FAMILY = "Microsoft YaHei"
var ANDROID_FAMILY = "Alibaba PuHuiTi 2.0"

var FONT_ALIASES = {
    "FZKTJW": "FZKai-Z03S",
    "FZFSJW": "FZFangSong-Z02S",
    "FZHTJW": "FZHei-B01S",
    "FZSSJW": "FZShuSong-Z01S",
    "AlibabaPuHuiTi": "Alibaba PuHuiTi",
    "Alibaba PuHuiTi": "Alibaba PuHuiTi",
    "Alibaba PuHuiTi 2.0": "Alibaba PuHuiTi 2.0",
    "等线": "DengXian",
    "等线 Light": "DengXian",
    "方正粗黑宋简体": "FZCuHeiSongS-B-GB",
    "方正舒体": "FZShuTi",
    "方正姚体": "FZYaoTi",
    "仿宋": "FangSong",
    "黑体": "SimHei",
    "华文彩云": "STCaiyun",
    "华文仿宋": "STFangsong",
    "华文行楷": "STXingkai",
    "华文琥珀": "STHupo",
    "华文楷体": "STKaiti",
    "华文隶书": "STLiti",
    "华文宋体": "STSong",
    "华文细黑": "STXihei",
    "华文新魏": "STXinwei",
    "华文中宋": "STZhongsong",
    "楷体": "KaiTi",
    "隶书": "LiSu",
    "宋体": "SimSun",
    "Microsoft YaHei": "Microsoft YaHei",
    "微软雅黑 Light": "Microsoft YaHei",
    "新宋体": "NSimSun",
    "幼圆": "YouYuan",
    "SimSun": "SimSun-ExtB",
    "STXihei": "STXihei",
    "KaiTi": "KaiTi_GB2312",
    "Helvetica": "Helvetica",
    "Arial": "Arial",
    "Lucida Sans Unicode": "Lucida Sans Unicode",
    "Verdana": "Verdana",
    "Swoosh": "Swoosh",
    "Nike Futura ND": "Nike Futura ND",
    "Tahoma": "Tahoma",
    "Trebuchet MS": "Trebuchet MS",
    "Georgia": "Georgia",
    "Times New Roman": "Times New Roman",
    "Wingdings 2": "Wingdings 2",
    "Calibri": "Calibri",
    "Gabriola": "Gabriola",
    "FZKai-Z03S": "FZKai-Z03S",
    "FZFangSong-Z02S": "FZFangSong-Z02S",
    "FZHei-B01S": "FZHei-B01S",
    "FZShuSong-Z01S": "FZShuSong-Z01S",
    "Noto Sans CJK SC": "Noto Sans CJK SC Medium",
    "耐克365": "Nike 365 SC",
    "Times_New_Roman": "Times New Roman",
    "Juventus Fans Regular": "Juventus Fans"
}

// Characters that would end the style attribute or open markup are dropped
// from a family name.
function cleanFamily(f) {
    return f.replace(/['"<>;&\\]/g, "")
}

// Families already reported, so that a layout of many runs logs each once.
var reported = ({})

function reportOnce(message) {
    if (reported[message])
        return
    reported[message] = true
    console.log(message)
}

// provider: an object with getFontName(family), used on Android only; may be null.
function fontFamily(family, provider) {
    if (family === undefined || family === null || family === "") {
        reportOnce("[RichText] font family missing, using " + DEFAULT_FAMILY)
        return DEFAULT_FAMILY
    }
    var f = String(family)
    if (Qt.platform.os === "android") {
        var n = provider ? provider.getFontName(f) : ""
        return cleanFamily(n && n !== "" ? n : ANDROID_FAMILY)
    }
    if (FONT_ALIASES.hasOwnProperty(f))
        return FONT_ALIASES[f]
    if (!isInstalled(f))
        reportOnce("Font Not Find " + f)
    return cleanFamily(f)
}

// The families the font database knows, read again the first time a family
// is missing (a font the host added since the last look-up is then found).
var installedFamilies = null
var missingFamilies = ({})

function isInstalled(f) {
    if (installedFamilies !== null && installedFamilies.hasOwnProperty(f))
        return true
    if (installedFamilies === null || !missingFamilies.hasOwnProperty(f)) {
        missingFamilies[f] = true
        installedFamilies = ({})
        var families = Qt.fontFamilies()
        for (var i = 0; i < families.length; ++i)
            installedFamilies[families[i]] = true
    }
    return installedFamilies.hasOwnProperty(f)
}

// The run's text as HTML: markup characters escaped, then every whitespace
// character a non-breaking space (so spacing survives the HTML reader).
function escapeText(t) {
    return String(t).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/\s/g, "&nbsp;")
}

function fixed2(v) {
    return (Math.round(v * 100) / 100).toFixed(2)
}

function lineHeightFactor(lineSpacing) {
    return lineSpacing <= 0 ? "1" : fixed2(1 + lineSpacing / 30)
}

function paragraphHead(p) {
    var l = lineHeightFactor(p.lineSpacing)
    return '<p style="margin:' + l + ';line-height:' + l + ';letter-spacing:' + p.letterSpacing + 'px"  align = "'
            + p.horizontalAlignment + '">'
}

var DEFAULT_ATTRIBUTES = {
    backgroundColor: "#00000000",
    textColor: "#ffffffff",
    font: { family: "", style: "NORMAL", size: 16, isUnderline: false }
}

function attributesFor(attrMap, key) {
    if (attrMap && attrMap.hasOwnProperty(key))
        return attrMap[key]
    reportOnce("[RichText] no text attributes for key " + JSON.stringify(key))
    return DEFAULT_ATTRIBUTES
}

// The HTML around one run's text: the opening span and style tags, and
// their closing tags.
function spanParts(attr, provider) {
    var open = '<span style="background-color:' + attr.backgroundColor + '; color:' + attr.textColor + ";font-family:'"
            + fontFamily(attr.font.family, provider) + "';font-size:" + attr.font.size + 'px">'
    var close = "</span>"
    var st = attr.font.style
    if (attr.font.isUnderline) {
        open += "<u>"
        close = "</u>" + close
    }
    if (st === "ITALIC" || st === "BOLD_ITALIC") {
        open += "<i>"
        close = "</i>" + close
    }
    if (st === "BOLD" || st === "BOLD_ITALIC") {
        open += "<b>"
        close = "</b>" + close
    }
    return { open: open, close: close }
}

// The HTML of one run; text is the raw run text (escaped here).
function spanHtml(text, attr, provider) {
    var parts = spanParts(attr, provider)
    return parts.open + escapeText(text) + parts.close
}

// Whole text for scrolling. One line for the horizontal marquees, else every
// paragraph with its lines joined by <br>.
function getHtmltext(paragraphs, attrMap, animation, provider) {
    if (!paragraphs.length)
        return ""
    var out = ""
    var i, j, k, segs
    if (animation === "MARQUEE_LEFT" || animation === "MARQUEE_RIGHT") {
        out = paragraphHead(paragraphs[0])
        for (i = 0; i < paragraphs.length; ++i)
            for (j = 0; j < paragraphs[i].lines.length; ++j) {
                segs = paragraphs[i].lines[j].segs
                for (k = 0; k < segs.length; ++k)
                    out += spanHtml(segs[k].content === "" ? " " : segs[k].content,
                                    attributesFor(attrMap, segs[k].attributeKey), provider)
            }
        return out + "</p>"
    }
    for (i = 0; i < paragraphs.length; ++i) {
        out += paragraphHead(paragraphs[i])
        for (j = 0; j < paragraphs[i].lines.length; ++j) {
            if (j > 0)
                out += "<br>"
            segs = paragraphs[i].lines[j].segs
            for (k = 0; k < segs.length; ++k)
                out += spanHtml(segs[k].content === "" ? " " : segs[k].content,
                                attributesFor(attrMap, segs[k].attributeKey), provider)
        }
        out += "</p>"
    }
    return out
}

// Plain text of generated HTML (tags dropped, entities read back); non-breaking
// spaces come back as spaces.
function plainText(html) {
    return String(html).replace(/<[^>]*>/g, "").replace(/&nbsp;/g, " ").replace(/&lt;/g, "<").replace(/&gt;/g, ">")
            .replace(/&amp;/g, "&")
}

function qtHorizontalAlignment(h) {
    if (h === "LEFT")
        return Qt.AlignLeft
    if (h === "RIGHT")
        return Qt.AlignRight
    return Qt.AlignHCenter
}

function qtVerticalAlignment(v) {
    if (v === "TOP")
        return Qt.AlignTop
    if (v === "BOTTOM")
        return Qt.AlignBottom
    return Qt.AlignVCenter
}
