import QtQuick 2.15
import an.kest.imageReader 1.0
import "baseScheme/com"
import "baseScheme/js/fold.js" as Fold

// One picture in the widget rectangle: a still picture (stretched, or fitted
// keeping its aspect ratio) that may enter with a page-switch effect or run
// as a marquee, an animated picture, an SVG drawing, or the icon of a
// placeholder widget. The engine prepares the record: metadata.picture holds
// the picture's URL, its kind ("still", "animated", "svg") and, for a
// placeholder, the icon's URL. Pictures are decoded asynchronously at the
// size they are shown (times the canvas zoom). A folded widget (fold.enable)
// draws its picture on one strip made of its fold rectangles and shows each
// rectangle's section of it.
Item {
    id: root

    anchors.fill: parent
    clip: true

    property string widgetStr: ""
    property var widget: ({})

    signal baseMediaPrePared(string name)
    signal baseMediaError(string name)
    signal baseMediaRestart(string name)
    signal baseMediaStart(string name)
    signal baseMediaWaringReport(string name)
    signal baseMediaVisible(string name)

    property string url: ""
    property string kind: "still"
    property string placeholderIcon: ""
    property bool fit: false
    property var inAnimation: ({ type: 0, duration: 0 })
    readonly property bool hasEffect: inAnimation.type !== 0 && inAnimation.duration > 0
    // "NONE", "MARQUEE_LEFT", "MARQUEE_UP", "MARQUEE_DOWN"; any other name runs to the right.
    property string scrollAnimation: "NONE"
    property real speed: 60

    property var content: null
    property var picture: null
    property var effect: null
    property bool shown: false
    property bool started: false
    property bool failed: false
    property bool effectRun: false
    property bool dragging: false
    // The fold strip ({ width, height, sections }) or null.
    property var foldLayout: null

    // The widget frame above, whose realPercent is the canvas zoom.
    property Item frame: findFrame()
    readonly property real zoom: frame && frame.realPercent > 0 ? frame.realPercent : 1
    // Largest side a picture is decoded at.
    readonly property int maxDecodeSide: 4096
    property size decodeSize: Qt.size(0, 0)

    function findFrame() {
        for (var p = root.parent; p; p = p.parent) {
            if (p.realPercent !== undefined)
                return p
        }
        return null
    }

    function decodeSide(v) {
        return Math.max(1, Math.min(maxDecodeSide, Math.ceil(v * zoom)))
    }

    function updateDecodeSize() {
        if (dragging || stage.width <= 0 || stage.height <= 0)
            return
        var w = decodeSide(stage.width), h = decodeSide(stage.height)
        if (!fit && kind === "still" && (url.indexOf("file:") === 0 || url.indexOf("qrc:") === 0)) {
            // Stretched: decode to cover the rectangle so neither side is enlarged.
            reader.source = url
            reader.widgetWidth = w
            reader.widgetHeight = h
            if (reader.calPictureSize()) {
                w = Math.min(maxDecodeSide, reader.nWidth)
                h = Math.min(maxDecodeSide, reader.nHeight)
            }
        }
        if (decodeSize.width !== w || decodeSize.height !== h)
            decodeSize = Qt.size(w, h)
    }

    onZoomChanged: updateDecodeSize()

    function sizeChanged() {
        updateDecodeSize()
        if (content && content.isMarquee && !dragging)
            buildMarquee()
    }

    NWImageReader {
        id: reader
    }

    // Where the picture is drawn: the widget, or the fold strip.
    Item {
        id: stage
        width: root.foldLayout ? root.foldLayout.width : root.width
        height: root.foldLayout ? root.foldLayout.height : root.height
        onWidthChanged: root.sizeChanged()
        onHeightChanged: root.sizeChanged()
    }

    // Fold rectangles over a transparent layer, each showing its section.
    function makeFoldViews() {
        var layer = foldLayer.createObject(root)
        for (var i = 0; i < foldLayout.sections.length; ++i) {
            var sec = foldLayout.sections[i]
            foldView.createObject(layer, {
                x: sec.x, y: sec.y, width: sec.width, height: sec.height, color: "transparent",
                sourceItem: stage, section: Qt.rect(sec.sx, sec.sy, sec.width, sec.height)
            })
        }
    }

    Component {
        id: foldLayer
        Rectangle {
            anchors.fill: parent
            color: "transparent"
            z: 2
        }
    }

    Component {
        id: foldView
        ComFoldView {}
    }

    function number(v, fallback) {
        return (typeof v === "number" && isFinite(v)) ? v : fallback
    }

    function readRecord() {
        var w = {}
        try {
            w = JSON.parse(widgetStr)
        } catch (e) {
            console.log("[Picture] record is not JSON: " + e)
        }
        if (w === null || typeof w !== "object")
            w = {}
        widget = w
        if (typeof w.zOrder === "number" && isFinite(w.zOrder))
            z = w.zOrder
        if (typeof w.id === "string")
            objectName = w.id
        var m = (w.metadata && typeof w.metadata === "object") ? w.metadata : {}
        var pic = (m.picture && typeof m.picture === "object") ? m.picture : {}
        url = typeof pic.url === "string" ? pic.url : ""
        kind = typeof pic.kind === "string" ? pic.kind : "still"
        placeholderIcon = typeof pic.placeholderIcon === "string" ? pic.placeholderIcon : ""
        fit = w.displayRatio === "ORIGINAL_SIZE" || w.displayRatio === "ORIGINAL_RATIO"
        var a = (w.inAnimation && typeof w.inAnimation === "object") ? w.inAnimation : {}
        inAnimation = { type: Math.round(number(a.type, 0)), duration: Math.max(0, Math.round(number(a.duration, 0))) }
        var sa = (m.scrollAttributes && typeof m.scrollAttributes === "object") ? m.scrollAttributes : {}
        var eff = (sa.effects && typeof sa.effects === "object") ? sa.effects : {}
        scrollAnimation = typeof eff.animation === "string" ? eff.animation : "NONE"
        var s = number(eff.speed, 60)
        speed = (s < 0 || s > 500) ? 60 : s
        foldLayout = null
        if (w.fold && typeof w.fold === "object" && w.fold.enable === true && Array.isArray(w.fold.layoutItems)) {
            var strip = Fold.strip(w.fold)
            if (strip.width > 0 && strip.height > 0)
                foldLayout = strip
            else
                console.log("[Picture] fold strip has no area")
        }
    }

    function init() {
        readRecord()
        if (foldLayout)
            makeFoldViews()
        updateDecodeSize()
        if (url === "") {
            if (placeholderIcon !== "") {
                content = placeholderMaker.createObject(stage)
            } else {
                console.log("picture source is null")
            }
            Qt.callLater(emitStart, "")
            return
        }
        if (kind === "svg") {
            content = svgMaker.createObject(stage)
            picture = content
        } else if (kind === "animated") {
            content = animatedMaker.createObject(stage)
            picture = content
        } else if (scrollAnimation !== "NONE") {
            buildMarquee()
            return
        } else {
            content = stillMaker.createObject(stage)
            picture = content
            if (hasEffect)
                effect = effectMaker.createObject(stage, { inAnimation: inAnimation })
        }
        if (picture.status === Image.Ready)
            onPictureReady()
        else if (picture.status === Image.Error)
            onPictureError()
    }

    function emitStart(name) {
        if (started)
            return
        started = true
        baseMediaStart(name)
    }

    function onPictureReady() {
        failed = false
        baseMediaPrePared("")
        if (effect) {
            baseMediaVisible(objectName)
            if (shown)
                runEffect()
        } else {
            emitStart("")
        }
    }

    function onPictureError() {
        failed = true
        console.log("[Picture] cannot load " + url)
        baseMediaError("picture not found")
        baseMediaWaringReport("picture not found")
    }

    function runEffect() {
        if (!effect || !picture || picture.status !== Image.Ready)
            return
        effectRun = true
        if (fit)
            picture.smooth = false
        effect.stop()
        effect.startItemEffect(picture)
    }

    function onEffectEnd() {
        if (picture)
            picture.smooth = true
        emitStart("")
    }

    // Two copies of the picture side by side (above each other for up and
    // down) moving by one widget size per cycle at speed pixels per second.
    function buildMarquee() {
        if (content)
            content.destroy()
        content = marqueeMaker.createObject(stage)
        picture = content.first
        if (shown)
            content.run()
        Qt.callLater(emitStart, "")
    }

    function play() {
        if (url === "" || failed) {
            baseMediaError("picture not found")
            baseMediaWaringReport("picture not found")
            return
        }
        if (content && content.isMarquee) {
            baseMediaPrePared("onPlaying")
            baseMediaStart("play")
            return
        }
        if (picture && picture.status === Image.Ready)
            onPictureReady()
    }

    function restart() {
        if (kind === "animated" && picture)
            picture.currentFrame = 0
        if (effect)
            runEffect()
        if (content && content.isMarquee)
            content.run()
        baseMediaRestart("picture reStart OK")
    }

    function stop() {}

    function pause() {
        if (kind === "animated" && picture)
            picture.paused = true
        if (effect)
            effect.pause()
        if (content && content.isMarquee)
            content.pause()
    }

    function resume() {
        if (kind === "animated" && picture)
            picture.paused = false
        if (effect)
            effect.resume()
        if (content && content.isMarquee)
            content.resume()
    }

    function setVisible(v) {
        visible = v
        if (!v)
            return
        shown = true
        if (kind === "animated" && picture)
            picture.playing = true
        if (effect && !effectRun)
            runEffect()
        if (content && content.isMarquee && !content.running)
            content.run()
    }

    function onDragPressed() {
        dragging = true
    }

    function onDragReleased() {
        dragging = false
        updateDecodeSize()
        if (content && content.isMarquee)
            buildMarquee()
    }

    function repaint() {
        updateDecodeSize()
        if (content && content.isMarquee)
            buildMarquee()
    }

    Component {
        id: stillMaker
        Image {
            anchors.fill: parent
            source: root.url
            asynchronous: true
            cache: true
            sourceSize: root.decodeSize
            fillMode: root.fit ? Image.PreserveAspectFit : Image.Stretch
            onStatusChanged: {
                if (status === Image.Ready)
                    root.onPictureReady()
                else if (status === Image.Error)
                    root.onPictureError()
            }
        }
    }

    Component {
        id: svgMaker
        Image {
            anchors.fill: parent
            source: root.url
            asynchronous: true
            cache: true
            sourceSize: root.decodeSize
            fillMode: Image.PreserveAspectFit
            onStatusChanged: {
                if (status === Image.Ready)
                    root.onPictureReady()
                else if (status === Image.Error)
                    root.onPictureError()
            }
        }
    }

    Component {
        id: animatedMaker
        AnimatedImage {
            anchors.fill: parent
            source: root.url
            // Frames are decoded as they are shown, not kept.
            cache: false
            asynchronous: true
            playing: root.shown
            fillMode: root.fit ? Image.PreserveAspectFit : Image.Stretch
            onStatusChanged: {
                if (status === Image.Ready)
                    root.onPictureReady()
                else if (status === Image.Error)
                    root.onPictureError()
            }
        }
    }

    Component {
        id: effectMaker
        InOutEffect {
            anchors.fill: parent
            z: 1
            onEffectEnd: root.onEffectEnd()
        }
    }

    Component {
        id: placeholderMaker
        Rectangle {
            anchors.fill: parent
            color: "#FF3C424B"
            Image {
                anchors.centerIn: parent
                width: Math.min(parent.width, parent.height) * 0.6
                height: width
                source: root.placeholderIcon
                sourceSize: Qt.size(root.decodeSide(width), root.decodeSide(height))
                fillMode: Image.PreserveAspectFit
                asynchronous: true
            }
        }
    }

    Component {
        id: marqueeMaker
        Item {
            id: marquee
            readonly property bool isMarquee: true
            readonly property bool vertical: root.scrollAnimation === "MARQUEE_UP"
                                             || root.scrollAnimation === "MARQUEE_DOWN"
            readonly property bool forward: root.scrollAnimation === "MARQUEE_LEFT"
                                            || root.scrollAnimation === "MARQUEE_UP"
            readonly property real span: vertical ? stage.height : stage.width
            property alias first: copy1
            property bool running: false
            width: vertical ? stage.width : stage.width * 2
            height: vertical ? stage.height * 2 : stage.height
            x: vertical ? 0 : (forward ? 0 : -span)
            y: vertical ? (forward ? 0 : -span) : 0

            Image {
                id: copy1
                x: 0
                y: 0
                width: stage.width
                height: stage.height
                source: root.url
                asynchronous: true
                cache: true
                sourceSize: root.decodeSize
                fillMode: root.fit ? Image.PreserveAspectFit : Image.Stretch
                onStatusChanged: {
                    if (status === Image.Error)
                        root.onPictureError()
                }
            }
            Image {
                x: marquee.vertical ? 0 : stage.width
                y: marquee.vertical ? stage.height : 0
                width: stage.width
                height: stage.height
                source: root.url
                asynchronous: true
                cache: true
                sourceSize: root.decodeSize
                fillMode: copy1.fillMode
            }

            NumberAnimation {
                id: move
                target: marquee
                property: marquee.vertical ? "y" : "x"
                from: marquee.forward ? 0 : -marquee.span
                to: marquee.forward ? -marquee.span : 0
                duration: root.speed > 0 ? Math.max(1, marquee.span * 1000 / root.speed) : 0
                loops: Animation.Infinite
            }

            function run() {
                running = true
                move.stop()
                // A speed of 0 stands still.
                if (root.speed > 0 && marquee.span > 0)
                    move.start()
            }
            function pause() {
                move.pause()
            }
            function resume() {
                move.resume()
            }
        }
    }

    Component.onCompleted: init()
}
