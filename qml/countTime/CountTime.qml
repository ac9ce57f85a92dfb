import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "../utils/clockstyle.js" as ClockStyle
import "../text/baseScheme/com"

// A countdown or count-up: the caption and the count of the timer record,
// computed by the library (QmlCallQtProvider.countTimerText) once a second
// and shown as plain text (never markup).
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property string metaText: "{}"
    property bool multiLine: false
    property bool running: true

    anchors.fill: parent
    color: "transparent"
    clip: true
    visible: false

    property bool textSet: false

    QmlCallQtProvider { id: provider }

    KestText {
        id: label
        objectName: "countText"
        warmOnChange: false
        anchors.fill: parent
        textFormat: Text.PlainText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        lineHeightMode: root.multiLine ? Text.FixedHeight : Text.ProportionalHeight
        lineHeight: root.multiLine ? Math.max(1, root.height / 3) : 1.0
    }

    Timer {
        id: tick
        interval: 1000
        repeat: true
        triggeredOnStart: true
        running: root.visible && root.running
        onTriggered: root.refresh()
    }

    function refresh() {
        label.text = provider.countTimerText(metaText)
        if (!textSet) {
            textSet = true
            label.onSetText()
        }
    }

    function play() {
        refresh()
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
        running = true
    }
    function pause() { running = false }
    function stop() { running = false }
    function resume() { running = true }
    function restart() { console.log("coutTime  restart()") }

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
        metaText = JSON.stringify(m)
        multiLine = m.IsMultiLine === true
        ClockStyle.apply(label, ClockStyle.style(m.textAttributes, provider))
        play()
    }
}
