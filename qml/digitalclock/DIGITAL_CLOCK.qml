import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "../utils/clockstyle.js" as ClockStyle
import "../text/baseScheme/com"

// A digital clock: the text of its "$" template for the time of its zone.
// The text comes from the library (QmlCallQtProvider.digitalClockText), is
// shown as plain text (never markup) and changes on each whole second.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property string gmt: "GMT+00:00"
    property string zone: ""
    property int offset: 0
    property string regular: "$HH:$mm:$ss"
    property var weekTemplates: []
    property var suffixTemplates: []
    // The font record (textAttributes) as JSON text.
    property string fontStyle: ""
    property bool completed: false
    property bool textSet: false
    // Lines of the shown text; each gets an equal share of the height.
    property int shownLines: 1

    anchors.fill: parent
    color: "transparent"
    clip: true
    visible: false

    QmlCallQtProvider { id: provider }

    KestText {
        id: label
        objectName: "clockText"
        warmOnChange: false
        anchors.fill: parent
        textFormat: Text.PlainText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        lineHeightMode: Text.FixedHeight
        lineHeight: Math.max(1, root.height / Math.max(1, root.shownLines))
    }

    Timer {
        id: tick
        repeat: false
        onTriggered: root.repaint()
    }

    function repaint() {
        if (!completed)
            return
        var r = provider.digitalClockText(regular, gmt, zone, offset, weekTemplates, suffixTemplates)
        shownLines = r.lines
        label.text = r.text
        if (!textSet) {
            textSet = true
            label.onSetText()
        }
        if (visible && running) {
            tick.interval = ClockStyle.untilNextSecond(r.msec)
            tick.restart()
        }
    }

    function restyle() {
        var attrs = {}
        try {
            attrs = fontStyle === "" ? {} : JSON.parse(fontStyle)
        } catch (e) {
            attrs = {}
        }
        ClockStyle.apply(label, ClockStyle.style(attrs, provider))
    }

    property bool running: true

    onGmtChanged: repaint()
    onZoneChanged: repaint()
    onOffsetChanged: repaint()
    onRegularChanged: repaint()
    onWeekTemplatesChanged: repaint()
    onSuffixTemplatesChanged: repaint()
    onFontStyleChanged: { if (completed) restyle() }

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
        running = true
        repaint()
    }
    function pause() { running = false; tick.stop() }
    function stop() { running = false; tick.stop() }
    function resume() { running = true; repaint() }
    function restart() { console.log("digitalclock  restart()") }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        var m = (record && typeof record.metadata === "object" && record.metadata) ? record.metadata : {}
        if (typeof record.id === "string")
            objectName = record.id
        if (typeof m.gmt === "string") gmt = m.gmt
        if (typeof m.zone === "string") zone = m.zone
        if (typeof m.offset === "number" && Math.abs(m.offset) <= 24) offset = Math.round(m.offset)
        if (typeof m.regular === "string") regular = m.regular
        if (Array.isArray(m.weekTemplates)) weekTemplates = m.weekTemplates
        if (Array.isArray(m.suffixTemplates)) suffixTemplates = m.suffixTemplates
        if (m.textAttributes && typeof m.textAttributes === "object")
            fontStyle = JSON.stringify(m.textAttributes)
        completed = true
        restyle()
        play()
    }
}
