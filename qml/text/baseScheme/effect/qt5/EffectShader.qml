import QtQuick 2.15

// Common part of the entrance effects: a shader item over the captured
// texture of a page (or over a picture), driven by one linear animation of
// max (1 -> 0) or, with usePercent, of percent (0 -> 100).
//
// start(image)               runs the effect on a picture item
// startItemEffect(source)    runs it on a ShaderEffectSource of an item
// restart(), pause(), resume(), stop()
// signal effectEnd()         once per run, when the animation reaches its end
ShaderEffect {
    id: effect

    signal effectEnd()

    // type = effect code, duration = milliseconds.
    property var inAnimation: ({ type: 0, duration: 1000 })
    property int dir: (inAnimation && typeof inAnimation.type === "number" && isFinite(inAnimation.type))
                      ? Math.round(inAnimation.type) : 0
    readonly property int effectDuration: {
        if (!inAnimation || typeof inAnimation.duration !== "number" || !isFinite(inAnimation.duration))
            return 1000
        return inAnimation.duration > 0 ? Math.round(inAnimation.duration) : 0
    }

    property bool usePercent: false
    // An effect that may be stopped midway keeps its state on stop(); the
    // others jump to their end so the page is complete.
    property bool runToEnd: true
    property real max: 1.0
    property real percent: 0
    readonly property real progress: usePercent ? percent / 100 : 1 - max
    property variant source: null
    // True while the source is a picture, false for a captured item.
    property bool picMode: false

    property bool ended: false

    visible: false
    clip: true
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/effect.frag")

    function resetProgress() {
        if (usePercent)
            percent = 0
        else
            max = 1.0
    }

    function run() {
        ended = false
        anim.stop()
        resetProgress()
        visible = true
        anim.start()
    }

    function start(image) {
        if (!image) {
            console.log("effect start: no image")
            return
        }
        picMode = true
        source = image
        width = Qt.binding(function() { return image.width })
        height = Qt.binding(function() { return image.height })
        run()
    }

    function startItemEffect(shaderSource) {
        if (!shaderSource) {
            console.log("effect startItemEffect: no source")
            return
        }
        picMode = false
        source = shaderSource
        // The size follows the item, also when it is laid out after the start.
        width = Qt.binding(function() { return shaderSource.sourceItem ? shaderSource.sourceItem.width : 0 })
        height = Qt.binding(function() { return shaderSource.sourceItem ? shaderSource.sourceItem.height : 0 })
        run()
    }

    function restart() {
        if (source)
            run()
    }

    function pause() {
        if (anim.running)
            anim.pause()
    }

    function resume() {
        if (anim.paused)
            anim.resume()
    }

    function stop() {
        anim.stop()
        if (runToEnd) {
            if (usePercent)
                percent = 100
            else
                max = 0.0
        }
    }

    NumberAnimation {
        id: anim
        target: effect
        property: effect.usePercent ? "percent" : "max"
        from: effect.usePercent ? 0 : 1.0
        to: effect.usePercent ? 100 : 0.0
        duration: effect.effectDuration
        easing.type: Easing.Linear
        loops: 1
        onFinished: {
            if (!effect.ended) {
                effect.ended = true
                effect.effectEnd()
            }
        }
    }
}
