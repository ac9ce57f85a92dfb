import QtQuick 2.15

// Entrance effect of a page, chosen by its effect code.
//
// Set inAnimation ({ type: code, duration: ms }) and size the selector over
// the content, then call per page:
//   startItemEffect(item)  runs the effect on a live capture of the item (the
//                          item itself is hidden while the selector shows it)
//   startEffect(image)     runs it on a picture item
//   pause(), resume(), stop(), getEffectObj()
// The selector draws the effect at its own origin, at the size of the item
// (or picture): place it where the content is, above it. effectEnd is emitted
// once per start when the effect has finished; stop() ends an effect without
// effectEnd (most effects then show the whole page, a fade or an opening
// stays where it was). A code without an effect shows the content as it is
// and emits effectEnd right after the call. Code 1 draws a new effect for
// every start.
Item {
    id: inOut

    signal effectEnd()

    property var inAnimation: ({ type: 0, duration: 1000 })
    property int effType: codeOf(inAnimation)
    property int duration: durationOf(inAnimation)
    property var effectObj: undefined
    property var shaderItem: undefined
    // The painted effect takes only a duration; the shader effects take inAnimation.
    property bool cpuDrawingMethod: effType === 999
    // The code of the running effect (drawn anew for every start with code 1).
    property int currentCode: 0

    property bool completed: false
    // Shows a picture as it is when there is no effect for the code.
    property var plainObj: undefined

    readonly property var randomCodes: [16, 17, 18, 19, 20, 21, 22, 32, 33, 34, 35, 48, 49, 50, 51, 52, 53,
        64, 65, 96, 97, 112, 144, 160, 176, 192, 193, 194, 195, 208, 209, 210, 211,
        240, 241, 242, 243, 244, 245]

    function codeOf(anim) {
        if (!anim || typeof anim.type !== "number" || !isFinite(anim.type))
            return 0
        return Math.round(anim.type)
    }

    function durationOf(anim) {
        if (!anim || typeof anim.duration !== "number" || !isFinite(anim.duration))
            return 1000
        return anim.duration > 0 ? Math.min(Math.round(anim.duration), 2147483647) : 0
    }

    function effectFile(code) {
        if (code === 1)
            return "Cleavage.qml"
        if (code >= 16 && code <= 22)
            return "Extend.qml"
        if (code >= 32 && code <= 35)
            return "Move.qml"
        if (code >= 48 && code <= 53)
            return "Indent.qml"
        if (code === 64)
            return "ReelTop.qml"
        if (code === 65)
            return "ReelButton.qml"
        if (code === 96 || code === 97)
            return "Louver.qml"
        if (code === 112)
            return "ZoomFullScreen.qml"
        if (code === 144)
            return "Wheel.qml"
        if (code === 160)
            return "Dentine.qml"
        if (code === 176)
            return "FadeInOut.qml"
        if (code === 177 || (code >= 240 && code <= 245))
            return "Cleavage.qml"
        if (code >= 192 && code <= 195)
            return "Cumulate.qml"
        if (code >= 208 && code <= 211)
            return "Laser.qml"
        if (code === 999)
            return "NWEffect.qml"
        return ""
    }

    // The code of the list nearest to n; the first of equally near ones.
    function nearestCode(n) {
        var best = randomCodes[0]
        for (var i = 1; i < randomCodes.length; ++i) {
            if (Math.abs(randomCodes[i] - n) < Math.abs(best - n))
                best = randomCodes[i]
        }
        return best
    }

    function drawRandomCode() {
        return nearestCode(16 + Math.floor(Math.random() * (245 - 16 + 1)))
    }

    function destroyEffect() {
        if (effectObj) {
            effectObj.effectEnd.disconnect(onEffectObjEnd)
            effectObj.visible = false
            effectObj.destroy()
        }
        effectObj = undefined
    }

    function createEffect(code) {
        destroyEffect()
        currentCode = code
        var file = effectFile(code)
        if (file === "") {
            console.log("InOutEffect: no effect for code " + code)
            return
        }
        var component = Qt.createComponent(Qt.resolvedUrl("../effect/qt5/" + file))
        if (component.status !== Component.Ready) {
            console.log("load component error " + component.errorString())
            return
        }
        var props = { x: 0, y: 0, width: inOut.width, height: inOut.height }
        if (file === "NWEffect.qml")
            props.duration = inOut.duration
        else
            props.inAnimation = { type: code, duration: inOut.duration }
        if (plainObj) {
            plainObj.destroy()
            plainObj = undefined
        }
        var obj = component.createObject(inOut, props)
        if (!obj) {
            console.log("load component error " + component.errorString())
            return
        }
        obj.effectEnd.connect(onEffectObjEnd)
        effectObj = obj
    }

    function onEffectObjEnd() {
        inOut.effectEnd()
    }

    function emitEnd() {
        inOut.effectEnd()
    }

    // Before every start with code 1 a new effect is drawn.
    function prepare() {
        if (effType === 1) {
            var code = drawRandomCode()
            console.log("InOutEffect: random effect type = " + code)
            createEffect(code)
        }
        if (!effectObj) {
            console.log("InOutEffect: effectObj is undefined!")
            return false
        }
        return true
    }

    // Gives the captured item back to the scene at once.
    function releaseShaderItem() {
        if (!shaderItem)
            return
        shaderItem.hideSource = false
        shaderItem.sourceItem = null
        shaderItem.destroy()
        shaderItem = undefined
    }

    function showPlain(image) {
        if (!plainObj) {
            var component = Qt.createComponent(Qt.resolvedUrl("../effect/qt5/EffectShader.qml"))
            if (component.status !== Component.Ready) {
                console.log("load component error " + component.errorString())
                return
            }
            plainObj = component.createObject(inOut, { inAnimation: { type: 0, duration: 0 } })
        }
        if (plainObj)
            plainObj.start(image)
    }

    function startItemEffect(item) {
        if (!item) {
            console.log("InOutEffect: startItemEffect without an item")
            return
        }
        if (!prepare()) {
            // No effect: the content is shown as it is.
            releaseShaderItem()
            Qt.callLater(emitEnd)
            return
        }
        if (!shaderItem || shaderItem.sourceItem !== item) {
            releaseShaderItem()
            shaderItem = sourceMaker.createObject(inOut, { sourceItem: item })
        }
        shaderItem.visible = true
        shaderItem.scheduleUpdate()
        effectObj.startItemEffect(shaderItem)
    }

    function startEffect(image) {
        if (!image) {
            console.log("InOutEffect: startEffect without an image")
            return
        }
        if (!prepare()) {
            showPlain(image)
            Qt.callLater(emitEnd)
            return
        }
        effectObj.start(image)
    }

    function pause() {
        if (!effectObj) {
            console.log("InOutEffect: effectObj is undefined!")
            return
        }
        effectObj.pause()
    }

    function resume() {
        if (!effectObj) {
            console.log("InOutEffect: effectObj is undefined!")
            return
        }
        effectObj.resume()
    }

    function stop() {
        if (!effectObj) {
            console.log("InOutEffect: effectObj is undefined!")
            return
        }
        effectObj.stop()
    }

    function getEffectObj() {
        if (!effectObj)
            console.log("InOutEffect: effectObj is undefined!")
        return effectObj
    }

    onEffTypeChanged: if (completed) createEffect(effType)
    onDurationChanged: {
        if (!effectObj)
            return
        if (currentCode === 999)
            effectObj.duration = duration
        else
            effectObj.inAnimation = { type: currentCode, duration: duration }
    }

    Component {
        id: sourceMaker
        ShaderEffectSource {
            // Zero-sized: it only provides the texture, the effect draws it.
            width: 0
            height: 0
            hideSource: true
            live: true
            format: ShaderEffectSource.RGBA
        }
    }

    Component.onCompleted: {
        console.log("effect type = " + effType)
        createEffect(effType)
        completed = true
    }
}
