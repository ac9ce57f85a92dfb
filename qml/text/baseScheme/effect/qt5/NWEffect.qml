import QtQuick 2.15
import com.kest.effect 1.0

// Code 999: the painted effect. The page is captured once into a picture,
// then NWEffectDisplay paints it uncovered by percent 0.0 -> 1.0.
Item {
    id: effect

    signal effectEnd()

    property int duration: 1000
    property alias percent: display.percent
    readonly property real progress: display.percent
    property bool ended: false
    // Set by stop(): a capture that arrives afterwards shows the whole page.
    property bool stopped: false
    // True once the current page has been captured.
    property bool captured: false
    // A pause asked for while the page is being captured holds the effect
    // at its start once the capture is there.
    property bool holding: false

    visible: false

    function capture() {
        captured = false
        if (!display.start()) {
            console.log("NWEffect: the page could not be captured")
            finish()
        }
    }

    function begin() {
        ended = false
        stopped = false
        anim.stop()
        display.percent = 0
        visible = true
        capture()
    }

    function finish() {
        display.percent = 1.0
        if (!ended) {
            ended = true
            effectEnd()
        }
    }

    function start(image) {
        if (!image) {
            console.log("NWEffect start: no image")
            return
        }
        delay.stop()
        holding = false
        display.source = image
        width = Qt.binding(function() { return image.width })
        height = Qt.binding(function() { return image.height })
        begin()
    }

    function startItemEffect(source) {
        if (!source || !source.sourceItem) {
            console.log("NWEffect startItemEffect: no source")
            return
        }
        var item = source.sourceItem
        source.visible = false
        display.source = item
        width = Qt.binding(function() { return item.width })
        height = Qt.binding(function() { return item.height })
        ended = false
        stopped = false
        holding = false
        captured = false
        anim.stop()
        display.percent = 0
        visible = true
        delay.restart()
    }

    function restart() {
        holding = false
        if (display.source)
            begin()
    }

    function pause() {
        if (anim.running)
            anim.pause()
        else if (!captured && !stopped)
            holding = true
    }

    function resume() {
        holding = false
        if (anim.paused)
            anim.resume()
        else if (captured && !stopped && !anim.running && !ended)
            anim.restart()
    }

    // Ends the effect on the whole page, without effectEnd.
    function stop() {
        stopped = true
        anim.stop()
        display.percent = 1.0
        if (delay.running) {
            delay.stop()
            capture()
        }
    }

    NWEffectDisplay {
        id: display
        anchors.fill: parent
        type: NWEffectDisplay.Wheel
        onImageReady: {
            effect.captured = true
            if (effect.stopped || effect.holding)
                return
            anim.restart()
        }
    }

    // The captured item is grabbed one frame after the start, when its
    // content is laid out.
    Timer {
        id: delay
        interval: 16
        repeat: false
        onTriggered: effect.begin()
    }

    NumberAnimation {
        id: anim
        target: display
        property: "percent"
        from: 0.0
        to: 1.0
        duration: effect.duration > 0 ? effect.duration : 0
        easing.type: Easing.Linear
        loops: 1
        onFinished: effect.finish()
    }
}
