import QtQuick 2.15
import QtQuick.Controls 2.15
import "utils"

// The scene of a preview window: a scroll view holding the zoomable canvas,
// its guide lines, the frame-rate meter and the fonts the host added.
ScrollView {
    id: scrollView

    signal itemKeyboardPressed(string key)
    signal updateFPS(string value)
    signal canvasRectChanged()

    // Set while the placement step moves the bars itself.
    property bool placing: false
    property bool userMovedH: false
    property bool userMovedV: false
    property real lineWidth: 1
    // Bars moved while the scene sets itself up are not the user's doing.
    property bool ready: false

    focus: true
    clip: true
    contentWidth: root.width * root.scale
    contentHeight: root.height * root.scale

    ScrollBar.horizontal: KestScrollBar {
        id: hbar
        objectName: "kest"
        parent: scrollView
        z: 10
        x: 0
        y: scrollView.height - height - 1
        width: scrollView.width
        policy: ScrollBar.AsNeeded
        handleNormalColor: "#383838"
        onPositionChanged: if (!scrollView.placing && scrollView.ready) scrollView.userMovedH = true
    }
    ScrollBar.vertical: KestScrollBar {
        id: vbar
        objectName: "kest"
        parent: scrollView
        z: 10
        x: scrollView.mirrored ? 1 : scrollView.width - width - 1
        y: 0
        height: scrollView.height
        policy: ScrollBar.AsNeeded
        handleNormalColor: "#383838"
        onPositionChanged: if (!scrollView.placing && scrollView.ready) scrollView.userMovedV = true
    }

    Rectangle {
        id: root
        objectName: "canvas"

        signal clicked()
        signal rootScaleChanged(real percent)

        // A click on the canvas (or a widget taking the selection) clears the guide lines.
        onClicked: lineModel.clear()

        color: "black"
        width: 400
        height: 400
        transformOrigin: Item.Center

        onScaleChanged: {
            rootScaleChanged(scale)
            scrollView.lineWidth = 1 / scale
            scrollView.placing = true
            scrollView.scaleChange()
            scrollView.placing = false
        }

        MouseArea {
            anchors.fill: parent
            z: -1
            acceptedButtons: Qt.LeftButton
            onClicked: {
                scrollView.forceActiveFocus()
                root.clicked()
            }
        }

        ListModel {
            id: lineModel
        }

        Repeater {
            model: lineModel
            LineItem {
                z: 10000
                color: "#E040FB"
                startX: model.startX
                startY: model.startY
                endX: model.endX
                endY: model.endY
                lineWidth: scrollView.lineWidth
            }
        }

        CusFPS {
            id: fpsMeter
            z: 999
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.rightMargin: 5
            onFpsChanged: scrollView.updateFPS(fps.toString())
        }
    }

    Keys.onPressed: {
        var key = ""
        if (event.key === Qt.Key_Delete)
            key = "Delete"
        else if (event.key === Qt.Key_Return)
            key = "Return"
        else if (event.key === Qt.Key_Enter)
            key = "Enter"
        else if (event.key === Qt.Key_Backspace)
            key = "Backspace"
        else if (event.modifiers & Qt.ControlModifier) {
            if (event.key === Qt.Key_C)
                key = "CtrlC"
            else if (event.key === Qt.Key_V)
                key = "CtrlV"
            else if (event.key === Qt.Key_S)
                key = "CtrlS"
        }
        if (key !== "") {
            itemKeyboardPressed(key)
            event.accepted = true
        }
    }

    onWidthChanged: recentre()
    onHeightChanged: recentre()

    Component.onCompleted: {
        console.log(UseQt6 ? "version 6" : "version 5")
        contentItem.interactive = false
        contentItem.objectName = "kest"
        for (var i = 0; i < children.length; ++i) {
            if (children[i].objectName !== "kest" && children[i] !== contentItem)
                children[i].visible = false
        }
        recentre()
        ready = true
    }

    // Centres the canvas in the view, then places it and the bars.
    function recentre() {
        root.x = (scrollView.width - root.width) / 2
        root.y = (scrollView.height - root.height) / 2
        placing = true
        scaleChange()
        placing = false
    }

    // Keeps the scaled canvas inside the scrollable content: centred while it
    // fits, flush with the content's top-left corner once it does not, with
    // each bar in the middle unless the user has moved it since it last hid.
    function scaleChange() {
        var s = root.scale
        var topLeft = root.mapToItem(contentItem, 0, 0)
        contentWidth = root.width * s
        contentHeight = root.height * s

        if (topLeft.x < 0) {
            root.x -= topLeft.x
        } else if (root.width * s < scrollView.width) {
            root.x = (scrollView.width - root.width) / 2
            userMovedH = false
        } else {
            root.x -= topLeft.x
        }
        if (!userMovedH)
            hbar.position = (1 - hbar.size) / 2

        if (topLeft.y < 0) {
            root.y -= topLeft.y
        } else if (root.height * s < scrollView.height) {
            root.y = (scrollView.height - root.height) / 2
            userMovedV = false
        } else {
            root.y -= topLeft.y
        }
        if (!userMovedV)
            vbar.position = (1 - vbar.size) / 2
    }

    function setWindowScale(value) {
        console.log("main qml setWindowScale scale = " + value)
        if (root.scale !== value)
            root.scale = value
        return true
    }

    function setCanvasWidth(width) {
        console.log("main qml setCanvasWidth width = " + width)
        root.width = width
        canvasRectChanged()
        recentre()
        return true
    }

    function setCanvasHeight(height) {
        console.log("main qml setCanvasHeight height = " + height)
        root.height = height
        canvasRectChanged()
        recentre()
        return true
    }

    function addLine(startx, starty, endx, endy) {
        lineModel.append({ "startX": startx, "startY": starty, "endX": endx, "endY": endy })
        return true
    }

    function clearLine() {
        lineModel.clear()
        return true
    }

    function addSystemFont(fontPath) {
        var loader = Qt.createQmlObject('import QtQuick 2.15; FontLoader {}', root, "fontLoader")
        loader.statusChanged.connect(function() {
            console.log("font status is " + loader.status)
            if (loader.status === FontLoader.Ready) {
                console.log("font loaded")
                console.log("add font name famliy is " + loader.name)
                console.log("add font name is " + loader.name)
            } else if (loader.status === FontLoader.Loading) {
                console.log("font loading")
            } else if (loader.status === FontLoader.Error) {
                console.log("font error")
            }
        })
        // The engine passes the font file as a URL.
        loader.source = fontPath
        return true
    }

    // Creates a widget item on the canvas from its record.
    function createItem(info) {
        var component = Qt.createComponent("WidgetContainer.qml")
        if (component.status !== Component.Ready) {
            console.log("Error loading component: " + component.errorString())
            return null
        }
        // The item connects itself to canvasRectChanged of the scene and
        // disconnects when it is destroyed.
        var item = component.createObject(root, { "info": info, "canvas": root, "scene": scrollView })
        if (item === null) {
            console.log("Error creating object: " + component.errorString())
            return null
        }
        return item
    }
}
