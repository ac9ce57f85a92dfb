import QtQuick 2.15

// The item a text widget creates: fills its parent and holds one RichText of
// its own size, re-created when the size or the record changes (not during a
// drag, and not in the hidden copy that writes page images).
Item {
    id: root

    property string widgetStr: ""
    property bool dragging: false
    // The hidden copy that only writes page images.
    property bool grabCopy: false
    property string grabPath: ""
    property int grabNumber: 0
    property var inner: null
    property bool completed: false

    anchors.fill: parent
    clip: true

    // Widest picture written; wider widgets are scaled down.
    readonly property int maxImageWidth: 16384

    function createInner() {
        if (inner) {
            inner.destroy()
            inner = null
        }
        if (width <= 0 || height <= 0)
            return
        inner = richTextComponent.createObject(root, { width: width, height: height, widgetStr: widgetStr })
        if (!inner) {
            console.log("[RichTextScale] cannot create RichText: " + richTextComponent.errorString())
            return
        }
        inner.pageSwitch.connect(onInnerPageSwitch)
        inner.init()
        if (grabCopy && grabPath !== "")
            grabDelay.restart()
    }

    function recreate() {
        if (!completed || dragging || grabCopy)
            return
        rebuild.restart()
    }

    onWidthChanged: recreate()
    onHeightChanged: recreate()
    onWidgetStrChanged: recreate()

    Component.onCompleted: {
        completed = true
        createInner()
    }

    function setVisible(v) {
        if (!v)
            grabCopy = true
        visible = v
        if (inner)
            inner.setVisible(v)
    }

    function onDragPressed() {
        dragging = true
    }

    function onDragReleased() {
        dragging = false
        if (grabPath !== "")
            deleteNumberedImages()
        grabNumber = 0
        rebuild.restart()
    }

    function repaint() {
        rebuild.restart()
    }

    function splitPath(path) {
        var slash = path.lastIndexOf("/")
        var dot = path.indexOf(".", slash + 1)
        if (dot < 0)
            return { base: path, ext: "" }
        return { base: path.substring(0, dot), ext: path.substring(dot) }
    }

    function deleteNumberedImages() {
        var parts = splitPath(grabPath)
        var slash = parts.base.lastIndexOf("/")
        var dir = slash >= 0 ? parts.base.substring(0, slash) : "."
        var name = slash >= 0 ? parts.base.substring(slash + 1) : parts.base
        try {
            var helper = Qt.createQmlObject('import QtQuick 2.15; import com.kest.qmlCallQtCommon 1.0; QmlCallQtProvider {}',
                                            root, "QmlCallQtProvider")
            helper.deleteFiles(dir, name)
            helper.destroy()
        } catch (e) {
            console.log("[RichTextScale] cannot delete page images: " + e)
        }
    }

    function writeImage(path) {
        var target = inner ? inner : root
        var w = Math.max(1, Math.round(root.width)), h = Math.max(1, Math.round(root.height))
        if (w > maxImageWidth) {
            h = Math.max(1, Math.round(h * maxImageWidth / w))
            w = maxImageWidth
        }
        var ok = target.grabToImage(function (result) {
            if (!result.saveToFile(path))
                console.log("[RichTextScale] cannot write " + path)
        }, Qt.size(w, h))
        if (!ok)
            console.log("[RichTextScale] cannot grab the text for " + path)
    }

    function numberedPath() {
        var parts = splitPath(grabPath)
        ++grabNumber
        return parts.base + grabNumber + parts.ext
    }

    function getQmlImage(path) {
        grabPath = String(path)
        if (grabPath === "")
            return
        writeImage(grabPath)
        if (grabCopy && inner)
            grabDelay.restart()
    }

    function onInnerPageSwitch() {
        if (grabCopy && grabPath !== "")
            writeImage(numberedPath())
    }

    Timer {
        id: grabDelay
        interval: 100
        onTriggered: root.writeImage(root.numberedPath())
    }

    // Coalesces size and record changes into one re-creation.
    Timer {
        id: rebuild
        interval: 0
        onTriggered: root.createInner()
    }

    Component {
        id: richTextComponent
        RichText {}
    }
}
