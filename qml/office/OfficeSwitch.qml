import QtQuick 2.15
import "../text/baseScheme/com"
import "../text/baseScheme/js/fold.js" as Fold

// Pictures one at a time, each for its own duration, then round again; the
// static type shows the first picture only. A picture loads into the hidden
// one of two slots and replaces the shown one when it is ready, so the
// previous picture stays on screen while the next loads (and when it fails).
Item {
    id: sw

    // [{ url, duration, effectType, effectDuration }]
    property var pictures: []
    property bool staticType: false
    // Over-length screens: the widget record's fold. With rectangles, the
    // picture is laid on their strip and each shows its section of it.
    property var fold: null
    readonly property var foldStrip: {
        if (!fold || fold.enable !== true || !Array.isArray(fold.layoutItems) || fold.layoutItems.length === 0)
            return null
        var strip = Fold.strip(fold)
        return strip.width > 0 && strip.height > 0 ? strip : null
    }
    property int index: 0
    property int shownIndex: -1
    property var front: slotA
    property var back: slotB
    property var effect: null
    property bool running: false
    property bool paused: false
    property real startedAt: 0
    property int remaining: 0

    // The widget frame above, whose realPercent is the canvas zoom.
    property Item frame: findFrame()
    readonly property real zoom: frame && frame.realPercent > 0 ? frame.realPercent : 1
    readonly property int maxDecodeSide: 4096
    readonly property size decodeSize: Qt.size(decodeSide(stage.width), decodeSide(stage.height))

    function findFrame() {
        for (var p = sw.parent; p; p = p.parent) {
            if (p.realPercent !== undefined)
                return p
        }
        return null
    }

    function decodeSide(v) {
        return Math.max(1, Math.min(maxDecodeSide, Math.ceil(v * zoom)))
    }

    function start() {
        running = true
        index = 0
        showNext()
    }

    // Loads picture index into the hidden slot and times the page.
    function showNext() {
        if (pictures.length === 0)
            return
        var i = index
        index = (index + 1) % pictures.length
        back.pictureIndex = i
        back.source = pictures[i].url
        if (back.status === Image.Ready)
            onSlotReady(back)
        if (staticType)
            return
        timer.interval = pictures[i].duration
        startedAt = Date.now()
        if (!paused)
            timer.restart()
        else
            remaining = timer.interval
    }

    function onSlotReady(slot) {
        if (slot !== back)
            return
        var p = pictures[slot.pictureIndex]
        back = front
        front = slot
        front.visible = true
        front.z = 1
        back.visible = false
        back.z = 0
        shownIndex = slot.pictureIndex
        runEffect(p)
    }

    function runEffect(p) {
        if (!p || p.effectType === 0 || p.effectDuration <= 0) {
            if (effect)
                effect.stop()
            return
        }
        var a = { type: p.effectType, duration: Math.min(p.effectDuration, p.duration) }
        if (!effect)
            effect = effectMaker.createObject(stage, { inAnimation: a })
        else if (effect.inAnimation.type !== a.type || effect.inAnimation.duration !== a.duration)
            effect.inAnimation = a
        if (!effect)
            return
        effect.stop()
        effect.startItemEffect(front)
    }

    function pause() {
        if (paused)
            return
        paused = true
        if (timer.running) {
            remaining = Math.max(1, timer.interval - (Date.now() - startedAt))
            timer.stop()
        }
        if (effect)
            effect.pause()
    }

    function resume() {
        if (!paused)
            return
        paused = false
        if (effect)
            effect.resume()
        if (running && !staticType && remaining > 0) {
            timer.interval = remaining
            startedAt = Date.now()
            remaining = 0
            timer.restart()
        }
    }

    Timer {
        id: timer
        repeat: false
        onTriggered: sw.showNext()
    }

    // What is shown: the widget's area, or the fold strip (hidden, seen
    // through the fold views).
    Item {
        id: stage
        width: sw.foldStrip ? sw.foldStrip.width : sw.width
        height: sw.foldStrip ? sw.foldStrip.height : sw.height

        Image {
            id: slotA
            property int pictureIndex: -1
            anchors.fill: parent
            visible: false
            asynchronous: true
            cache: false
            sourceSize: sw.decodeSize
            fillMode: Image.Stretch
            onStatusChanged: {
                if (status === Image.Ready)
                    sw.onSlotReady(slotA)
                else if (status === Image.Error)
                    console.log("[OfficeSwitch] cannot load " + source)
            }
        }

        Image {
            id: slotB
            property int pictureIndex: -1
            anchors.fill: parent
            visible: false
            asynchronous: true
            cache: false
            sourceSize: sw.decodeSize
            fillMode: Image.Stretch
            onStatusChanged: {
                if (status === Image.Ready)
                    sw.onSlotReady(slotB)
                else if (status === Image.Error)
                    console.log("[OfficeSwitch] cannot load " + source)
            }
        }
    }

    Repeater {
        model: sw.foldStrip ? sw.foldStrip.sections : []
        ComFoldView {
            x: modelData.x
            y: modelData.y
            width: modelData.width
            height: modelData.height
            color: "transparent"
            sourceItem: stage
            section: Qt.rect(modelData.sx, modelData.sy, modelData.width, modelData.height)
        }
    }

    Component {
        id: effectMaker
        InOutEffect {
            anchors.fill: parent
            z: 2
        }
    }
}
