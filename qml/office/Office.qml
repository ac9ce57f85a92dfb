import QtQuick 2.15

// The item a picture group widget creates: fills its parent and holds one
// OfficeImpl built from the record. update(json) stores a new record and
// builds the scene again, except during a drag, whose end builds it.
Item {
    id: root

    property string widgetStr: ""
    property bool dragging: false
    property bool stale: false
    property bool paused: false
    property var inner: null
    // Scenes built so far.
    property int builds: 0

    anchors.fill: parent
    clip: true

    function update(json) {
        widgetStr = json
        rebuild()
    }

    function rebuild() {
        if (dragging) {
            stale = true
            return
        }
        stale = false
        if (inner) {
            inner.visible = false
            inner.destroy()
            inner = null
        }
        var record
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            console.log("[Office] the record is not JSON: " + e)
            return
        }
        if (!record || typeof record !== "object")
            return
        inner = implMaker.createObject(root, { record: record })
        if (!inner) {
            console.log("[Office] cannot create the group: " + implMaker.errorString())
            return
        }
        builds++
        if (paused)
            inner.pause()
    }

    function onDragPressed() {
        dragging = true
    }

    function onDragReleased() {
        dragging = false
        if (stale)
            rebuild()
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

    Component {
        id: implMaker
        OfficeImpl {
            anchors.fill: parent
        }
    }

    Component.onCompleted: rebuild()
}
