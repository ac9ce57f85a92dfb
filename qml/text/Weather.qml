import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "../utils/clockstyle.js" as ClockStyle
import "baseScheme/js/protocolhelper.js" as PH

// The simple weather widget: the lines the library fills from the weather
// service (property lines), drawn as plain text, never as markup. Multi-line:
// centred, each line wrapped to the width. One line: the lines joined by
// blanks, scrolled by the text widget's scroll scene when the library hands
// a scroll record.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property var lines: []
    property string scrollRecord: ""
    property bool oneLine: false
    property bool sharp: false
    property bool running: true

    anchors.fill: parent
    color: "transparent"
    clip: true
    visible: false

    QmlCallQtProvider { id: provider }

    Text {
        id: label
        objectName: "weatherText"
        visible: root.scrollRecord === ""
        anchors.fill: parent
        textFormat: Text.PlainText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: root.oneLine ? Text.NoWrap : Text.WrapAnywhere
        elide: Text.ElideNone
        antialiasing: !root.sharp
        renderType: root.sharp ? Text.NativeRendering : Text.QtRendering
        text: root.oneLine ? root.lines.join(" ") : root.lines.join("\n")
    }

    Loader {
        id: scroller
        anchors.fill: parent
        active: root.scrollRecord !== ""
        source: "baseScheme/RevolveLamp.qml"
        onLoaded: root.startScroll()
    }

    function startScroll() {
        var d = scroller.item
        if (!d || root.scrollRecord === "")
            return
        try {
            d.init(PH.buildInfo(root.scrollRecord))
            d.start()
            if (!root.running)
                d.pause()
        } catch (e) {
            console.log("Weather scroll error " + e)
        }
    }

    // The scroll starts again only when its text changed.
    onScrollRecordChanged: if (scroller.status === Loader.Ready) startScroll()

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
    }
    function pause() {
        running = false
        if (scroller.item) scroller.item.pause()
    }
    function stop() { pause() }
    function resume() {
        running = true
        if (scroller.item) scroller.item.resume()
    }
    function restart() { startScroll() }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        if (record && typeof record.backgroundColor === "string" && record.backgroundColor !== "")
            color = record.backgroundColor
        var m = (record && typeof record.metadata === "object" && record.metadata) ? record.metadata : {}
        oneLine = m.isShowInOneLine === true
        sharp = m.textAntialiasing === true
        var st = ClockStyle.style(m.textAttributes, provider)
        ClockStyle.apply(label, st)
        var a = (m.textAttributes && typeof m.textAttributes === "object") ? m.textAttributes : {}
        if (typeof a.letterSpacing === "number" && isFinite(a.letterSpacing))
            label.font.letterSpacing = a.letterSpacing
        play()
    }
}
