import QtQuick 2.15
import "../text/baseScheme/js/protocolhelper.js" as PH

// The item a colourful text widget creates: fills its parent and holds one
// ColorTextImplQt5, rebuilt (created asynchronously, then swapped in) when the
// record or the size changes; not during a drag or while one is being made.
Item {
    id: root

    property string widgetStr: ""
    property string contentStr: ""
    property bool dragging: false
    property bool stale: false
    property bool completed: false
    property var inner: null
    property var incubator: null
    property string imagePath: ""
    property bool paused: false
    // Rebuilds completed so far.
    property int builds: 0

    // Widest picture written; wider items are scaled down.
    readonly property int maxImageWidth: 16384

    anchors.fill: parent
    clip: true

    onWidgetStrChanged: {
        contentStr = ""
        rebuild.restart()
    }
    onWidthChanged: rebuild.restart()
    onHeightChanged: rebuild.restart()
    Component.onCompleted: {
        completed = true
        create()
    }

    function create() {
        if (!completed)
            return
        if (dragging || incubator) {
            stale = true
            return
        }
        stale = false
        if (width <= 0 || height <= 0 || widgetStr === "")
            return
        var record
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            console.log("[ColorText] the record is not JSON: " + e)
            return
        }
        record = PH.obj(record)
        var metadata = PH.obj(record.metadata)
        var content = PH.obj(metadata.content)
        var made = implComponent.incubateObject(root, {
            width: width, height: height, visible: false,
            widget: record, metadata: metadata, metadataContent: content,
            textAttributes: PH.obj(content.textAttributes)
        }, Qt.Asynchronous)
        if (!made) {
            console.log("[ColorText] cannot create the text: " + implComponent.errorString())
            return
        }
        incubator = made
        if (made.status === Component.Loading)
            made.onStatusChanged = function (status) { finish(made) }
        else
            finish(made)
    }

    function finish(made) {
        if (made !== incubator || made.status === Component.Loading)
            return
        incubator = null
        if (made.status !== Component.Ready) {
            console.log("[ColorText] the text could not be made")
        } else {
            if (inner)
                inner.destroy()
            inner = made.object
            inner.visible = true
            if (contentStr !== "")
                inner.setContentStr(contentStr)
            inner.play()
            if (paused)
                inner.pause()
            ++builds
            if (imagePath !== "")
                writeImage(imagePath)
        }
        if (stale)
            rebuild.restart()
    }

    function setContentStr(str) {
        contentStr = String(str)
        if (inner)
            inner.setContentStr(contentStr)
        if (imagePath !== "")
            writeImage(imagePath)
    }

    function setVisible(v) {
        visible = v
        if (inner)
            inner.setVisible(v)
    }

    function pause() {
        paused = true
        if (inner)
            inner.pause()
    }

    function resume() {
        paused = false
        if (inner)
            inner.resume()
    }

    function onDragPressed() {
        dragging = true
    }

    function onDragReleased() {
        dragging = false
        rebuild.restart()
    }

    function writeImage(path) {
        var w = Math.max(1, Math.round(width)), h = Math.max(1, Math.round(height))
        if (w > maxImageWidth) {
            h = Math.max(1, Math.round(h * maxImageWidth / w))
            w = maxImageWidth
        }
        var ok = root.grabToImage(function (result) {
            if (!result.saveToFile(path))
                console.log("[ColorText] cannot write " + path)
        }, Qt.size(w, h))
        if (!ok)
            console.log("[ColorText] cannot grab the text for " + path)
    }

    function getQmlImage(path) {
        imagePath = String(path)
        if (imagePath !== "")
            writeImage(imagePath)
    }

    // Coalesces record and size changes into one rebuild.
    Timer {
        id: rebuild
        interval: 0
        onTriggered: root.create()
    }

    Component {
        id: implComponent
        ColorTextImplQt5 {}
    }
}
