.pragma library
.import "jtexthandle.js" as TH

// Input of the page layout (NWPageLayout, an.kest.text): every paragraph with
// its head and every run with its text and the HTML that wraps it. The
// layout's rules are the native engine's.
function layoutInput(paragraphs, attrMap, provider) {
    var parts = Object.create(null)
    function run(seg) {
        var key = String(seg.attributeKey)
        if (!parts[key])
            parts[key] = TH.spanParts(TH.attributesFor(attrMap, seg.attributeKey), provider)
        return { text: String(seg.content), open: parts[key].open, close: parts[key].close }
    }
    var out = []
    for (var i = 0; i < paragraphs.length; ++i) {
        var p = paragraphs[i]
        var lines = []
        for (var j = 0; j < p.lines.length; ++j)
            lines.push(p.lines[j].segs.map(run))
        out.push({ head: TH.paragraphHead(p), lines: lines })
    }
    return out
}
