import QtQuick 2.15
import QtGraphicalEffects 1.0
import "../text/baseScheme/com"
import "../text/baseScheme/js/jcolorfulTextfun.js" as CF
import "../text/baseScheme/js/jtexthandle.js" as TH
import "../text/baseScheme/js/protocolhelper.js" as PH
import "../text/baseScheme/js/fold.js" as Fold

// One colourful text: a text layer that masks a gradient or texture fill,
// optionally stroked by a glow. Static and one-by-one texts draw the styled
// layer in place; a marquee renders one styled copy once into a texture and
// moves copies of that texture, so no mask, gradient or glow pass runs while
// it moves. Motion follows elapsed time in whole pixels. A folded widget lays
// the text out on one strip of its rectangles, and each rectangle shows its
// section of the strip.
Rectangle {
    id: root

    signal baseMediaPrePared(string msg)
    signal baseMediaError(string msg)
    signal baseMediaRestart(string msg)
    signal baseMediaStart(string msg)
    signal baseMediaFinished(string msg)

    property var widget: ({})
    property var metadata: ({})
    property var metadataContent: ({})
    property var textAttributes: ({})

    // The content as read (every member checked).
    property var c: CF.readContent({ content: " ", type: "STATIC" })
    property bool textNull: false
    readonly property bool scrolling: c.type === "SCROLL"
    readonly property bool oneByOne: c.type === "OBO"
    readonly property real lineHeight: c.size + c.lineSpacing
    // Room around the glyphs for the stroke.
    readonly property int pad: c.stroke ? Math.ceil(c.strokeWidth) : 0

    // Static and one-by-one layout.
    property string shownText: ""
    property bool wrap: true
    property rect oboBox: Qt.rect(0, 0, 0, 0)
    // Marquee.
    property real textW: 0
    property var passes: null
    property real pos: 0
    // Milliseconds the last layout (measuring and fitting) took.
    property real layoutMs: 0
    // Widest styled copy rendered once into a texture; a longer marquee
    // moves its text under the fill instead (the fill is redrawn each frame).
    readonly property int maxTextureWidth: 8192
    readonly property bool direct: scrolling && passes !== null && textW + 2 * pad > maxTextureWidth
    // The fold strip ({ width, height, sections }) when the widget is folded, else null.
    property var strip: null
    readonly property real stageW: strip ? strip.width : width
    readonly property real stageH: strip ? strip.height : height
    readonly property string fillColor: PH.color(widget.backgroundColor, "transparent")

    color: strip ? "transparent" : fillColor
    clip: true

    function measure(text, wrapped) {
        measurer.wrapMode = wrapped ? Text.Wrap : Text.NoWrap
        measurer.width = stageW
        measurer.text = text
        return { width: measurer.contentWidth, height: measurer.contentHeight }
    }

    function layout() {
        var started = Date.now()
        layoutText()
        layoutMs = Date.now() - started
    }

    function layoutText() {
        c = CF.readContent(PH.obj(metadataContent))
        stopMotion()
        var fold = PH.foldInfo(widget.fold)
        strip = fold.enable ? Fold.strip(fold) : null
        var width = stageW, height = stageH
        textNull = c.text === ""
        passes = null
        shownText = ""
        if (textNull || width <= 0 || height <= 0)
            return
        var chars = Array.from(c.text)
        if (scrolling) {
            var m = measure(c.text, false)
            textW = Math.ceil(m.width)
            passes = CF.marquee(textW, width, PH.scrollSpeed(c.speed), c.headTail, c.headTailSpacing, c.toRight)
            if (!passes) {
                console.log("[ColorText] the text measures " + m.width + " pixels wide, nothing to scroll")
                return
            }
            shownText = c.text
            styled.visible = direct
            return
        }
        var fit = CF.fitStatic(chars, width, height, c.size, lineHeight, measure)
        shownText = fit.text
        wrap = fit.wrap
        if (oneByOne) {
            var full = measure(shownText, wrap)
            var w = Math.ceil(full.width) + 1
            var x = c.hAlign === "LEFT" ? 0 : c.hAlign === "RIGHT" ? width - w : (width - w) / 2
            var y = c.vAlign === "TOP" ? 0 : c.vAlign === "BOTTOM" ? height - full.height : (height - full.height) / 2
            oboBox = Qt.rect(Math.round(x), Math.round(y), w, Math.ceil(full.height))
            obo.chars = Array.from(shownText)
        }
    }

    // The fold rectangles, each showing its section of the stage.
    function makeFoldViews() {
        for (var i = foldViews.length - 1; i >= 0; --i)
            foldViews[i].destroy()
        var views = []
        var sections = strip ? strip.sections : []
        for (var k = 0; k < sections.length; ++k) {
            var sec = sections[k]
            views.push(foldViewComponent.createObject(root, {
                x: sec.x, y: sec.y, width: sec.width, height: sec.height, color: fillColor,
                sourceItem: stage, section: Qt.rect(sec.sx, sec.sy - c.offsetY, sec.width, sec.height)
            }))
        }
        foldViews = views
    }
    property var foldViews: []

    function stopMotion() {
        firstPass.stop()
        secondPass.stop()
        twinkle.stop()
        obo.stop()
        styled.visible = !scrolling || direct
    }

    function startMotion() {
        if (passes) {
            if (passes.still) {
                pos = passes.stillAt
            } else if (!firstPass.running && !secondPass.running) {
                pos = passes.firstFrom
                firstPass.start()
            }
        } else if (oneByOne) {
            if (!obo.running && obo.shown < obo.chars.length)
                obo.begin()
        } else if (c.blink && !twinkle.running) {
            twinkle.begin()
        }
    }

    function play() {
        if (textNull) {
            baseMediaError("text content is null!")
            return
        }
        baseMediaPrePared("ColorText")
        startMotion()
        baseMediaStart("ColorText")
    }

    function restart() {
        var what = ""
        if (oneByOne) {
            obo.begin()
            what += "OBO"
        }
        if (passes) {
            firstPass.stop()
            secondPass.stop()
            pos = passes.still ? passes.stillAt : passes.firstFrom
            if (!passes.still)
                firstPass.start()
            what += "SCROLL"
        }
        baseMediaRestart("ColorText:restart " + what)
    }

    function stop() {
        twinkle.stop()
        obo.stop()
        firstPass.stop()
        secondPass.stop()
    }

    function pause() {
        twinkle.stop()
        obo.stop()
        firstPass.pause()
        secondPass.pause()
    }

    function resume() {
        firstPass.resume()
        secondPass.resume()
        startMotion()
    }

    function setVisible(v) {
        visible = v
        if (v)
            startMotion()
    }

    function setContentStr(str) {
        var content = JSON.parse(JSON.stringify(PH.obj(metadataContent)))
        content.content = String(str)
        metadataContent = content
        layout()
        startMotion()
    }

    Component.onCompleted: {
        layout()
        makeFoldViews()
    }

    Component {
        id: foldViewComponent
        ComFoldView {}
    }

    Text {
        id: measurer
        visible: false
        textFormat: Text.PlainText
        font: label.font
        lineHeightMode: Text.FixedHeight
        lineHeight: root.lineHeight
    }

    // Everything drawn: the widget itself, or the fold strip.
    Item {
        id: stage
        width: root.stageW
        height: root.stageH
        clip: true

        // The styled text: in place for static and one-by-one texts; the hidden
        // source of the marquee copies otherwise.
        Item {
            id: styled
            x: root.scrolling ? 0 : root.c.offsetX
            y: root.scrolling ? 0 : root.c.offsetY
            width: root.scrolling && !root.direct ? root.textW + 2 * root.pad : root.stageW
            height: root.stageH

            Item {
                id: textLayer
                anchors.fill: parent
                visible: !root.c.colorful && !root.c.stroke

                Text {
                    id: label
                    visible: !root.direct
                    x: root.scrolling ? root.pad : root.oneByOne ? root.oboBox.x : 0
                    y: root.oneByOne ? root.oboBox.y : 0
                    width: root.scrolling ? root.textW : root.oneByOne ? root.oboBox.width : parent.width
                    height: root.oneByOne ? root.oboBox.height : parent.height
                    text: root.oneByOne ? obo.text : root.shownText
                    textFormat: Text.PlainText
                    wrapMode: root.scrolling || !root.wrap ? Text.NoWrap : Text.Wrap
                    horizontalAlignment: root.oneByOne || root.scrolling ? Text.AlignLeft : TH.qtHorizontalAlignment(root.c.hAlign)
                    verticalAlignment: root.oneByOne ? Text.AlignTop : root.scrolling ? Text.AlignVCenter : TH.qtVerticalAlignment(root.c.vAlign)
                    lineHeightMode: Text.FixedHeight
                    lineHeight: root.lineHeight
                    color: root.c.textColor
                    font.family: TH.fontFamily(root.c.family, null)
                    font.pixelSize: root.c.size
                    font.bold: root.c.bold
                    font.italic: root.c.italic
                    font.underline: root.c.underline
                    font.letterSpacing: root.c.letterSpacing
                }

                Row {
                    id: directRow
                    visible: root.direct
                    x: Math.round(root.pos) + root.c.offsetX
                    y: root.c.offsetY
                    height: parent.height
                    spacing: root.passes ? root.passes.gap : 0

                    Repeater {
                        model: root.direct ? root.passes.copies : 0
                        Text {
                            width: root.textW
                            height: directRow.height
                            text: root.shownText
                            textFormat: Text.PlainText
                            verticalAlignment: Text.AlignVCenter
                            font: label.font
                            color: label.color
                        }
                    }
                }
            }

            Loader {
                id: fill
                anchors.fill: parent
                active: root.c.colorful
                visible: !root.c.stroke
                sourceComponent: root.c.colorfulType === "TEXTURE" ? textureFill : gradientFill
            }

            Loader {
                anchors.fill: parent
                active: root.c.stroke && root.c.strokeWidth > 0
                sourceComponent: Glow {
                    source: root.c.colorful ? fill : textLayer
                    color: root.c.strokeColor
                    radius: root.c.strokeWidth
                    samples: 2 * root.c.strokeWidth
                    spread: 0.9
                }
            }
        }

        Component {
            id: gradientFill
            ComFColorBKQt5 {
                source: textLayer
                colors: root.c.colors
                colorfulType: root.c.colorfulType
            }
        }

        Component {
            id: textureFill
            ComTextureBk {
                path: root.c.texture
                maskSource: textLayer
            }
        }

        // The marquee: the styled copy rendered once, its texture repeated.
        ShaderEffectSource {
            id: snapshot
            sourceItem: root.passes && !root.direct ? styled : null
            hideSource: true
            visible: false
            width: styled.width
            height: styled.height
        }

        KestRow {
            id: row
            visible: root.passes !== null && !root.direct
            x: Math.round(root.pos) + root.c.offsetX - root.pad
            y: root.c.offsetY
            spacing: root.passes ? root.passes.gap - 2 * root.pad : 0

            Repeater {
                model: root.passes && !root.direct ? root.passes.copies : 0
                ShaderEffect {
                    width: snapshot.width
                    height: snapshot.height
                    property variant source: snapshot
                }
            }
        }
    }

    NumberAnimation {
        id: firstPass
        target: root
        property: "pos"
        from: root.passes ? root.passes.firstFrom : 0
        to: root.passes ? root.passes.firstTo : 0
        duration: root.passes ? root.passes.firstDuration : 0
        loops: root.passes && root.passes.repeatFirst ? Animation.Infinite : 1
        onFinished: {
            root.baseMediaFinished("ColorText finished")
            if (root.passes && !root.passes.repeatFirst)
                secondPass.start()
        }
    }

    NumberAnimation {
        id: secondPass
        target: root
        property: "pos"
        from: root.passes ? root.passes.secondFrom : 0
        to: root.passes ? root.passes.secondTo : 0
        duration: root.passes ? root.passes.secondDuration : 0
        loops: Animation.Infinite
    }

    ComTwinkleTimer {
        id: twinkle
        target: styled
    }

    ComOBOTimer {
        id: obo
    }
}
