import QtQuick 2.15

// The real-time data widget's content: builds Rt_media.qml from the plan the
// library sets (see RtMediaPlan) and builds it again when the widget's size
// changes, except while the frame is dragged.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    // Set by the library right after the item was created.
    property var plan: null
    property bool running: true
    property bool dragging: false

    anchors.fill: parent
    color: "transparent"
    clip: true

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
    }

    onPlanChanged: {
        rebuild.restart()
        baseMediaPrePared("play")
        baseMediaStart("play")
    }
    onWidthChanged: if (!dragging) rebuild.restart()
    onHeightChanged: if (!dragging) rebuild.restart()

    Timer {
        id: rebuild
        interval: 0
        onTriggered: {
            inner.active = false
            inner.active = root.plan !== null && root.width > 0 && root.height > 0
        }
    }

    Loader {
        id: inner
        objectName: "rtMediaRows"
        anchors.fill: parent
        active: false
        sourceComponent: Rt_media {
            plan: root.plan
            running: root.running && !root.dragging
        }
    }

    function pause() { running = false }
    function resume() { running = true }
    function stop() { running = false }
    function restart() { running = true; rebuild.restart() }

    function onDragPressed() { dragging = true }
    function onDragReleased() { dragging = false; rebuild.restart() }
}
