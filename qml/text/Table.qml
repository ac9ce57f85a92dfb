import QtQuick 2.15
import an.kest.text 1.0
import "baseScheme/com"

// A table: the cells of the drawing plan the library reads from the table
// content (property plan, see TablePlan), painted once into a container (in
// bands, NWTableCells) and shown still, page by page or scrolling upwards.
// Cell texts are plain text.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    // Set by the library right after the table was created.
    property var plan: null
    property bool running: true
    // While the frame is dragged the table stands still.
    property bool dragging: false
    readonly property string mode: plan && !dragging ? plan.mode : "static"
    readonly property int pageCount: plan && height > 0 ? Math.max(1, Math.ceil(plan.rowsBottom / height)) : 1
    property int page: 0
    readonly property int tileHeight: 1024

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
        page = 0
        baseMediaPrePared("play")
        baseMediaStart("play")
    }

    // The page window: the container seen through the current page.
    Item {
        id: pageView
        objectName: "tablePage"
        width: root.width
        height: root.height
        clip: true

        Item {
            id: cellBox
            objectName: "tableCells"
            y: root.mode === "page" ? -root.page * root.height : 0
            width: root.plan ? root.plan.width : 0
            height: root.plan ? root.plan.height : 0

            // Painted in bands of at most tileHeight pixels.
            Repeater {
                model: root.plan ? Math.ceil(root.plan.height / root.tileHeight) : 0
                delegate: NWTableCells {
                    plan: root.plan
                    tileTop: index * root.tileHeight
                    y: tileTop
                    width: root.plan.width
                    height: Math.min(root.tileHeight, root.plan.height - tileTop)
                }
            }
        }
    }

    InOutEffect {
        id: effect
        anchors.fill: pageView
        inAnimation: root.plan ? root.plan.effect : ({ type: 0, duration: 0 })
    }

    Timer {
        id: pageTimer
        interval: root.plan ? root.plan.pageMs : 1000
        repeat: true
        triggeredOnStart: true
        running: root.mode === "page" && root.running && root.visible
        property bool first: true
        onRunningChanged: first = true
        onTriggered: {
            if (first)
                first = false
            else
                root.page = (root.page + 1) % root.pageCount
            if (root.plan.effect.type !== 0 && root.plan.effect.duration > 0)
                effect.startItemEffect(pageView)
        }
    }

    Loader {
        id: scroller
        active: root.mode === "scroll"
        anchors.fill: parent
        sourceComponent: ScrollTableCom {
            source: cellBox
            tableWidth: root.plan.width
            tableHeight: root.plan.height
            speed: root.plan.speed
            running: root.running
        }
    }

    function pause() { running = false }
    function resume() { running = true }
    function stop() { running = false }
    function restart() { page = 0; running = true }

    function onDragPressed() { dragging = true }
    function onDragReleased() { dragging = false; page = 0 }
}
