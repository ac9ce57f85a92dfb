import QtQuick 2.15
import QtQuick.Window 2.15
import "utils"

// The frame every widget shares: position, size and stacking on the canvas,
// the selection frame with moving and resizing, the anti-black snapshot used
// while content is rebuilt, the background music and the content item of
// the widget's kind.
Item {
    id: widgetContainer

    width: 100
    height: 100

    property string info: ""
    property var widgetObjInfo: null
    property string audioInfo: ""
    property var m_border: null
    property var audioPlayer: null
    property var widgetItem: null
    property bool isWidgetContainer: false
    property bool isInitLayout: false
    property real realPercent: 1.0
    // The canvas the item was created on.
    property Item canvas: null
    // The window's scene, whose canvasRectChanged refreshes the snapping rectangles.
    property var scene: null

    signal itemSelected(string type, bool sendState)
    signal itemDoubleClicked()
    signal itemPressed()
    signal itemReleased(real x, real y)
    signal itemXChanged(real x)
    signal itemYChanged(real y)
    signal itemWidthChanged(real w)
    signal itemHeightChanged(real h)

    // Content component and whether it takes part in resizing (it then
    // offers onDragPressed and onDragReleased), by media type text.
    readonly property var contentTable: ({
        "PICTURE": ["text/Picture.qml", true],
        "VIDEO": [useMdk ? "video/mdkvideo.qml" : "video/VideoPlayer.qml", false],
        "AUDIO": ["audio/Audio.qml", false],
        "GIF": ["text/Picture.qml", false],
        "HTML": ["html/Web.qml", false],
        "PLUGIN_H5": ["html/Web.qml", false],
        "RICH_TEXT": ["text/RichTextScale.qml", true],
        "ARCH_TEXT": ["text/RichTextScale.qml", true],
        "ANALOG_CLOCK": ["analogclock/AnalogClock.qml", false],
        "DIGITAL_CLOCK": ["digitalclock/DIGITAL_CLOCK.qml", false],
        "SIMPLE_RSS": ["text/Rss.qml", false],
        "SIMPLE_WEATHER": ["text/Weather.qml", false],
        "STREAM_VIDEO": ["streamVideo/VideoPlayer.qml", false],
        "STREAM_MEDIA": ["streamVideo/VideoPlayer.qml", false],
        "COLORFUL_TEXT": ["colortext/ColorText.qml", true],
        "PICTURE_GROUP": ["office/Office.qml", true],
        "RT_MEDIA": ["text/Rt_mediaScale.qml", true],
        "COUNT_TIMER": ["countTime/CountTime.qml", false],
        "TABLE": ["text/Table.qml", true],
        "TARRO_CALENDAR": ["tarrocalendar/TarroCalendar.qml", false],
        "TARRO_ANALOG_CLOCK": ["tarroclock/TarroClock.qml", false],
        "TARRO_BASE_WEATHER": ["tarrobaseweather/TarroBaseWeather.qml", false],
        "TARRO_SENIOR_WEATHER": ["tarroseniorweather/TarroSeniorWeather.qml", false]
    })

    function canvasWidth() { return canvas ? canvas.width : 0 }
    function canvasHeight() { return canvas ? canvas.height : 0 }

    onXChanged: {
        if (x >= 0 && x <= canvasWidth())
            itemXChanged(x)
        else
            console.log("error widgetcontainer x is " + x)
    }
    onYChanged: {
        if (y >= 0 && y <= canvasHeight())
            itemYChanged(y)
        else
            console.log("error widgetcontainer y is " + y)
    }
    onWidthChanged: itemWidthChanged(width)
    onHeightChanged: itemHeightChanged(height)

    // Hint text of a widget container while its playlist is empty.
    Rectangle {
        id: emptyInfo
        anchors.fill: parent
        color: "transparent"
        clip: true
        Text {
            id: emptyInfoText
            objectName: "emptyInfoText"
            anchors.centerIn: parent
            visible: false
            color: "#FF0000"
            font.pixelSize: 14
            font.family: "Alibaba PuHuiTi"
            text: "请添加媒体"
        }
    }

    ShaderEffectSource {
        id: antiBlackShader
        objectName: "antiBlackShader"
        anchors.fill: parent
        sourceItem: rectTemp
        visible: false
        live: false
        z: rectTemp.z - 0.5
    }

    Item {
        id: rectTemp
        objectName: "rectTemp"
        anchors.fill: parent
        z: 1
    }

    TemplateDragBorder {
        id: dragBorder
        objectName: "dragBorder"
        anchors.fill: parent
        z: 10
        target: widgetContainer
        movable: true
        canvasWidth: widgetContainer.canvasWidth()
        canvasHeight: widgetContainer.canvasHeight()
        minimumX: 0
        maximumX: widgetContainer.canvasWidth() - widgetContainer.width
        minimumY: 0
        maximumY: widgetContainer.canvasHeight() - widgetContainer.height
    }

    Timer {
        id: musicTimer
        repeat: true
        triggeredOnStart: false
        onTriggered: createAudioPlayer()
    }

    function onPressed() {
        itemPressed()
        widgetContainerClicked(true)
    }

    function onReleased() {
        itemReleased(x, y)
    }

    function onRootScaleChanged(scale) {
        realPercent = scale
        borderScale(scale)
        console.log("rootScaleChanged " + scale)
        initBorder()
    }

    Component.onCompleted: {
        try {
            var record = JSON.parse(info)
            if (record && typeof record.zOrder === "number" && isFinite(record.zOrder))
                z = record.zOrder
        } catch (e) {
            console.log("widget info is not JSON: " + e)
        }
        if (Qt.platform.os !== "wasm")
            dragBorder.widgetDoubleClicked.connect(itemDoubleClicked)
        dragBorder.movePressed.connect(onPressed)
        dragBorder.dragPressed.connect(onPressed)
        dragBorder.moveReleased.connect(onReleased)
        dragBorder.dragReleased.connect(onReleased)
        if (canvas) {
            canvas.clicked.connect(windowSelected)
            onRootScaleChanged(canvas.scale)
            canvas.rootScaleChanged.connect(onRootScaleChanged)
        }
        if (scene)
            scene.canvasRectChanged.connect(setCurrentRect)
    }

    Component.onDestruction: {
        if (canvas) {
            canvas.clicked.disconnect(windowSelected)
            canvas.rootScaleChanged.disconnect(onRootScaleChanged)
        }
        if (scene)
            scene.canvasRectChanged.disconnect(setCurrentRect)
        destroyMusic()
        if (m_border) {
            m_border.destroy()
            m_border = null
        }
    }

    function isNumber(v) { return typeof v === "number" && isFinite(v) }

    function createItem(info) {
        var record
        try {
            record = JSON.parse(info)
        } catch (e) {
            console.log("Error loading component: widget record is not JSON: " + e)
            return null
        }
        if (record === null || typeof record !== "object") {
            console.log("Error loading component: widget record is not an object")
            return null
        }
        widgetObjInfo = record
        console.log("widgetObjInfo.type " + record.type)
        console.log("widgetObjInfo is " + info)
        if (!isWidgetContainer && !isInitLayout && record.layout && typeof record.layout === "object") {
            var l = record.layout
            if (isNumber(l.x) && l.x >= 0 && x !== l.x) x = l.x
            if (isNumber(l.y) && l.y >= 0 && y !== l.y) y = l.y
            if (isNumber(l.width) && l.width >= 0 && width !== l.width) width = l.width
            if (isNumber(l.height) && l.height >= 0 && height !== l.height) height = l.height
            isInitLayout = true
        }
        var entry = contentTable[record.type]
        if (!entry)
            return null
        var component = Qt.createComponent(entry[0])
        if (component.status !== Component.Ready) {
            console.log("Error loading component: " + component.errorString())
            return null
        }
        var content = component.createObject(rectTemp, { "widgetStr": info })
        if (content === null) {
            console.log("Error creating object: " + component.errorString())
            return null
        }
        widgetItem = content
        if (entry[1] && typeof content.onDragPressed === "function") {
            dragBorder.dragPressed.connect(content.onDragPressed)
            dragBorder.dragReleased.connect(content.onDragReleased)
        }
        return content
    }

    function setUuid(id) {
        dragBorder.itemUuid = id
        objectName = id
    }

    function widgetContainerClicked(sendState) {
        console.log("widgetContainerClicked sendState is " + sendState)
        if (dragBorder.choosed)
            return
        if (canvas)
            canvas.clicked()
        dragBorder.choosed = true
        itemSelected("widgetContainer", sendState)
    }

    function windowSelected() {
        if (!dragBorder.choosed)
            return
        dragBorder.choosed = false
        itemSelected("", true)
    }

    function selectWidgetBorder(widgetVisible) {
        if (widgetVisible)
            widgetContainerClicked(false)
        else
            windowSelected()
    }

    function setDragEnable(enable) {
        console.log("setDragEnable enable = " + enable)
        // A widget once fixed stays fixed.
        if (!enable)
            dragBorder.dragEnable = false
    }

    function setCurrentRect() {
        dragBorder.refreshRects()
    }

    // The decorative border: binfo is the widget's description of it.
    function createBorder(binfo) {
        destroyBorder()
        var description
        try {
            description = JSON.parse(binfo)
        } catch (e) {
            console.log("border description is not JSON: " + e)
            return
        }
        if (!description || typeof description !== "object" || !description.style) {
            console.log("no border m_border.")
            return
        }
        var component = Qt.createComponent("border/border.qml")
        if (component.status !== Component.Ready) {
            console.log(" create Media error:" + component.errorString())
            return
        }
        m_border = component.createObject(widgetContainer, {
            m_border: description,
            realBorderWidth: isNumber(description.width) ? description.width : 0,
            z: dragBorder.z - 1
        })
        if (m_border === null) {
            console.log(" create Media error:" + component.errorString())
            return
        }
        initBorder()
    }

    function destroyBorder() {
        if (!m_border) {
            console.log("destroyBorder null")
            return
        }
        console.log("destroyBorder")
        m_border.visible = false
        m_border.destroy()
        m_border = null
    }

    function initBorder() {
        if (!m_border)
            return
        m_border.realPercent = realPercent
        console.log("m_border.borderWidth is " + m_border.borderWidth)
        m_border.play()
    }

    function borderScale(percent) {
        dragBorder.borderScale(percent)
    }

    // The snapshot of the old content covers the gap while the content is
    // built again; once the new content has been drawn it goes, so that the
    // content is not drawn a second time into it on every frame.
    property int antiBlackFrames: 0

    function startAntiBlack() {
        console.log("start anti-black")
        antiBlackFrames = 0
        antiBlackShader.live = false
        antiBlackShader.scheduleUpdate()
        antiBlackShader.visible = true
    }

    function stopAntiBlack() {
        console.log("stop anti-black")
        antiBlackShader.live = true
        if (antiBlackShader.visible)
            antiBlackFrames = 2
    }

    Connections {
        target: widgetContainer.antiBlackFrames > 0 ? widgetContainer.Window.window : null
        function onFrameSwapped() {
            if (--widgetContainer.antiBlackFrames > 0)
                return
            antiBlackShader.visible = false
        }
    }

    function createAudioPlayer() {
        if (audioPlayer) {
            if (typeof audioPlayer.stop === "function")
                audioPlayer.stop()
            audioPlayer.destroy()
            audioPlayer = null
        }
        var component = Qt.createComponent(useMdk ? "audio/mdkaudio.qml" : "audio/audio.qml")
        if (component.status !== Component.Ready) {
            console.log("Error loading component: " + component.errorString())
            return
        }
        audioPlayer = component.createObject(widgetContainer)
        if (audioPlayer === null) {
            console.log("Error creating object: " + component.errorString())
            return
        }
        audioPlayer.playAudio(audioInfo)
    }

    function createMusic(ainfo, duration) {
        console.log("music start music interval is " + duration)
        audioInfo = ainfo
        musicTimer.interval = duration
        createAudioPlayer()
        musicTimer.start()
    }

    function destroyMusic() {
        musicTimer.stop()
        if (audioPlayer) {
            if (typeof audioPlayer.stop === "function")
                audioPlayer.stop()
            audioPlayer.destroy()
            audioPlayer = null
        }
    }

    function pauseMusic() {
        console.log("pauseMusic")
        musicTimer.stop()
        if (audioPlayer && typeof audioPlayer.pause === "function")
            audioPlayer.pause()
    }

    function resumeMusic() {
        console.log("resumeMusic")
        if (audioPlayer && typeof audioPlayer.resume === "function")
            audioPlayer.resume()
    }

    function setEmptyInfoText(text) {
        console.log("setEmptyInfoText " + text)
        emptyInfoText.text = text
    }

    function setEmptyInfoPixelSize(size) {
        console.log("setEmptyInfoPixelSize " + size)
        if (size > 0)
            emptyInfoText.font.pixelSize = size
    }

    // The snapshot that covers switches lies under the members' content
    // whenever the hint text is not shown.
    function setEmptyInfoVisible(textVisible) {
        console.log("setEmptyInfoVisible " + textVisible)
        emptyInfoText.visible = textVisible
        antiBlackShader.visible = !textVisible
    }

    // Contents created in a container's item keep the container's geometry.
    function setWidgetContainerState(state) {
        isWidgetContainer = state
    }
}
