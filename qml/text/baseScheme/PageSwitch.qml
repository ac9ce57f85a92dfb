import QtQuick 2.15
import an.kest.text 1.0
import "com"
import "js/jRichText.js" as JR
import "js/jtexthandle.js" as TH

// Static and paged rich text: the text is laid out into pages of this item's
// size; pages replace each other on a timer, each entering with the chosen
// effect. A static text shows its first page only.
Item {
    id: root

    signal pageSwitchGrabImage()

    property var info: null
    property var pages: []
    property int index: 0
    property bool firstPassCompleted: false
    property bool isStatic: false
    property int pageInterval: 5000
    property int countdown: 0
    property bool jagged: false
    // A fold strip stops switching once the widget's play time is used up.
    property bool stopAtCountdownEnd: false
    property var effect: effectLoader.item
    // start() was called; pages laid out off the GUI thread start when complete.
    property bool started: false

    function init(inf) {
        info = inf
        jagged = inf.textAntialiasing === true
        isStatic = inf.displayStyle.type === "STATIC"
        var p0 = inf.paragraphs[0]
        textItem.horizontalAlignment = TH.qtHorizontalAlignment(p0.horizontalAlignment)
        textItem.verticalAlignment = TH.qtVerticalAlignment(p0.verticalAlignment)
        try {
            pager.start(JR.layoutInput(inf.paragraphs, inf.attrMap, null), Math.floor(width), Math.floor(height))
        } catch (e) {
            console.log("getpage error  e=" + e)
        }
    }

    // The first page shows as soon as it is laid out.
    function firstPage(page) {
        if (pages.length === 0 && !pageTimer.running)
            textItem.text = page
    }

    function layoutDone() {
        pages = pager.pages
        var inf = info
        if (pages.length === 0) {
            console.log("pages==0")
            return
        }
        var music = inf.backgroundMusic
        if (music.isTextSync && music.duration > 0)
            pageInterval = Math.max(1, Math.round(music.duration / pages.length))
        else
            pageInterval = Math.max(1, inf.displayStyle.pageSwitchAttributes.remainDuration)
        countdown = Math.ceil(inf.duration / pageInterval)
        var anim = inf.displayStyle.pageSwitchAttributes.inAnimation
        if (!isStatic && anim.type !== 0 && anim.duration > 0)
            createEffect({ type: anim.type, duration: Math.min(anim.duration, pageInterval) })
        if (started)
            start()
    }

    function createEffect(anim) {
        effectLoader.setSource("com/InOutEffect.qml", { inAnimation: anim, effType: anim.type, duration: anim.duration })
        if (effectLoader.status === Loader.Error)
            console.log("[PageSwitch] page-switch effect unavailable, pages switch without it")
    }

    function showPage(i) {
        index = i
        textItem.text = pages[i]
    }

    function runEffect() {
        var e = effectLoader.item
        if (!e)
            return
        try {
            e.stop()
            e.startItemEffect(jagged ? textItem : background)
        } catch (err) {
            console.log("[PageSwitch] effect failed: " + err)
        }
    }

    function start() {
        started = true
        if (pages.length === 0)
            return
        if (isStatic) {
            console.log("RechText --------Static---start!------------------")
            showPage(0)
            return
        }
        if (pageTimer.running)
            return
        showPage(0)
        runEffect()
        pageTimer.interval = pageInterval
        pageTimer.start()
    }

    function next() {
        var i = index + 1
        if (i >= pages.length) {
            i = 0
            firstPassCompleted = true
        }
        if (countdown > 0) {
            --countdown
            if (countdown === 0) {
                console.log("[PageSwitch] play time used up")
                if (stopAtCountdownEnd) {
                    pageTimer.stop()
                    return
                }
            }
        }
        showPage(i)
        runEffect()
        if (!firstPassCompleted && i !== 0)
            pageSwitchGrabImage()
    }

    function restart() {
        if (info)
            countdown = Math.ceil(info.duration / pageInterval)
        pageTimer.stop()
        start()
    }

    function pause() {
        started = false
        pageTimer.stop()
        if (effectLoader.item)
            effectLoader.item.pause()
    }

    function resume() {
        started = true
        if (effectLoader.item)
            effectLoader.item.resume()
        if (!isStatic && pages.length > 0 && !pageTimer.running)
            pageTimer.start()
    }

    function setVisible() {
        start()
    }

    NWPageLayout {
        id: pager
        onPageAdded: if (index === 0) root.firstPage(page)
        onFinished: root.layoutDone()
    }

    Rectangle {
        id: background
        objectName: "pageBackground"
        width: root.width
        height: root.height
        color: root.info ? root.info.backgroundColor : "transparent"

        KestText {
            id: textItem
            objectName: "pageText"
            width: root.jagged ? Math.floor(root.width) : root.width
            height: root.jagged ? Math.floor(root.height) : root.height
            x: root.info ? root.info.displayStyle.offset.x + (root.jagged ? root.pixelShiftX : 0) : 0
            y: root.info ? root.info.displayStyle.offset.y + (root.jagged ? root.pixelShiftY : 0) : 0
            antialiasing: !root.jagged
            textFormat: Text.RichText
            wrapMode: Text.Wrap
        }
    }

    // Whole-pixel placement of hard-edged glyphs within the window.
    property real pixelShiftX: 0
    property real pixelShiftY: 0
    onXChanged: updateShift()
    onYChanged: updateShift()
    function updateShift() {
        var p = mapToItem(null, 0, 0)
        pixelShiftX = Math.floor(p.x) - p.x
        pixelShiftY = Math.floor(p.y) - p.y
    }
    Component.onCompleted: updateShift()

    Loader {
        id: effectLoader
        width: root.jagged ? Math.floor(root.width) : root.width
        height: root.jagged ? Math.floor(root.height) : root.height
    }

    Timer {
        id: pageTimer
        repeat: true
        onTriggered: root.next()
    }
}
