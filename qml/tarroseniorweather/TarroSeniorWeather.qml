import QtQuick 2.15
import "langResx.js" as Lang

// The Tarro senior weather panel. The library hands the values in `panel`
// (see TarroWeather::seniorPanel); this scene lays out the basic panel and
// cycles the enabled detail pages in a box of the style's aspect ratio,
// styles 3 and 4 with their own page forms (files with the suffix 3 or 4).
// The page timer runs only with two or more pages and a switch time; with
// none the first page stays. Empty until the first good answer.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property var panel: ({ ready: false })
    property bool running: true
    property int pageIndex: 0
    readonly property bool ready: panel && panel.ready === true
    readonly property var pages: panel && panel.pages ? panel.pages : []
    readonly property string currentPage: pages.length > 0 ? pages[pageIndex % pages.length] : ""
    readonly property bool showBase: panel && panel.showBase === true
    readonly property var labels: Lang.labels(panel && panel.lang ? panel.lang : "zh")
    readonly property int style: panel && panel.style >= 1 && panel.style <= 4 ? panel.style : 1
    // Width : height of the box, with both parts and with one.
    readonly property var ratios: ({ 1: [400 / 480, 400 / 240], 2: [800 / 240, 400 / 240],
                                     3: [800 / 140, 400 / 140], 4: [160 / 480, 160 / 240] })
    readonly property real ratio: ratios[style][showBase && pages.length > 0 ? 0 : 1]
    readonly property var pageFiles: ({ airQuality: "AirQuality", comfort: "ComfortLevel",
                                        windPressure: "WindSpeedPressure", sunriseSunset: "SunriseSunset",
                                        livingIndex: "LivingIndex" })
    readonly property string suffix: style >= 3 ? String(style) : ""
    readonly property int pageInterval: panel && panel.pageInterval > 0 ? panel.pageInterval : 0

    anchors.fill: parent
    clip: true
    visible: false
    color: "transparent"

    onPagesChanged: if (pageIndex >= pages.length) pageIndex = 0

    Timer {
        id: pageTimer
        objectName: "pageTimer"
        interval: Math.max(1000, root.pageInterval)
        repeat: true
        running: root.ready && root.running && root.visible && root.pages.length >= 2 && root.pageInterval > 0
        onTriggered: root.pageIndex = (root.pageIndex + 1) % Math.max(1, root.pages.length)
    }

    Rectangle {
        id: box
        objectName: "seniorBox"
        visible: root.ready
        width: Math.min(root.width, root.height * root.ratio)
        height: width / root.ratio
        anchors.centerIn: parent
        radius: 6
        // Drawn once into a texture: the window keeps drawing frames.
        layer.enabled: true
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#2E4A78" }
            GradientStop { position: 1.0; color: "#4F6FA0" }
        }

        Loader {
            id: base
            objectName: "seniorBase"
            visible: root.showBase
            active: root.showBase
            width: box.width
            height: root.pages.length > 0 ? box.height / 2 : box.height
            source: "WeatherBaseInfo" + root.suffix + ".qml"
            onLoaded: {
                item.panel = Qt.binding(function() { return root.panel })
                item.labels = Qt.binding(function() { return root.labels })
            }
        }

        Loader {
            id: page
            objectName: "seniorPage"
            y: root.showBase ? box.height / 2 : 0
            width: box.width
            height: root.showBase ? box.height / 2 : box.height
            active: root.currentPage !== ""
            source: active ? root.pageFiles[root.currentPage] + root.suffix + ".qml" : ""
            onLoaded: {
                item.panel = Qt.binding(function() { return root.panel })
                item.labels = Qt.binding(function() { return root.labels })
            }
        }
    }

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
    }
    function pause() { running = false }
    function stop() { running = false }
    function resume() { running = true }
    function restart() { pageIndex = 0 }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        play()
    }
}
