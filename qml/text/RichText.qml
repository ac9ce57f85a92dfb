import QtQuick 2.15
import "baseScheme/js/protocolhelper.js" as PH

// The rich text of one widget: reads the record and runs the display
// component that fits it (fold, scroll, or paged/static).
Item {
    id: root

    signal baseMediaPrePared(string msg)
    signal baseMediaError(string msg)
    signal baseMediaRestart(string msg)
    signal baseMediaStart(string msg)
    signal pageSwitch()

    property string widgetStr: ""
    property var info: null
    property Item display: loader.item

    function init() {
        try {
            var inf = PH.buildInfo(widgetStr)
            z = inf.zOrder
            objectName = inf.id
            if (!PH.hasText(inf.paragraphs)) {
                console.log("[RichText] RichText.onError error ,text is empty ")
                baseMediaError("[RichText] RichText.onError error ,text is empty ")
                return
            }
            info = inf
            var source = "baseScheme/PageSwitch.qml"
            if (inf.fold.enable)
                source = "baseScheme/FoldRichText.qml"
            else if (inf.displayStyle.type === "SCROLL")
                source = "baseScheme/RevolveLamp.qml"
            loader.setSource(source, { width: width, height: height })
            var d = loader.item
            if (!d) {
                console.log("RichText root   init() error!" + " cannot load " + source)
                return
            }
            d.init(inf)
            d.pageSwitchGrabImage.connect(root.pageSwitch)
            baseMediaPrePared(objectName)
            d.start()
            baseMediaStart(objectName)
        } catch (e) {
            console.log("RichText root   init() error!" + e)
        }
    }

    function setVisible(v) {
        visible = v
        if (display)
            display.setVisible()
    }

    function play() { if (display) display.start() }
    function start() { if (display) display.start() }
    function restart() {
        if (display) {
            display.restart()
            baseMediaRestart(objectName)
        }
    }
    function resume() { if (display) display.resume() }
    function pause() { if (display) display.pause() }
    function stop() { if (display) display.pause() }
    function setLayerEnabled() { layer.enabled = true }

    Loader {
        id: loader
        width: root.width
        height: root.height
    }
}
