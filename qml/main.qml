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

    property bool userMovedH: false
    property bool userMovedV: false
    property real lineWidth: 1

    focus: true
    clip: true

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
        // Only the user moves a bar by pressing it; the placement and the
        // flickable's own bounds keeping do not count.
        onPositionChanged: if (pressed) scrollView.userMovedH = true
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
        onPositionChanged: if (pressed) scrollView.userMovedV = true
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
            scrollView.place()
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

    onWidthChanged: place()
    onHeightChanged: place()

    Component.onCompleted: {
        console.log(UseQt6 ? "version 6" : "version 5")
        contentItem.interactive = false
        contentItem.objectName = "kest"
        for (var i = 0; i < children.length; ++i) {
            if (children[i].objectName !== "kest" && children[i] !== contentItem)
                children[i].visible = false
        }
        place()
    }

    // Places the canvas from the view size, the canvas size and the scale
    // alone, so that the result never depends on the order in which they
    // arrived: in each direction the scaled canvas is centred while it fits;
    // once it does not, it fills the scrollable content from its start and
    // the view shows the middle of it, or keeps the part the user scrolled to.
    function place() {
        var s = root.scale
        var scaledW = root.width * s
        var scaledH = root.height * s
        var flick = contentItem
        contentWidth = scaledW
        contentHeight = scaledH
        // The canvas scales about its centre: its visible left edge lies at
        // x + width * (1 - s) / 2, and is kept on a whole pixel.
        if (scaledW <= width) {
            root.x = Math.floor((width - scaledW) / 2) - root.width * (1 - s) / 2
            flick.contentX = 0
            userMovedH = false
        } else {
            root.x = (scaledW - root.width) / 2
            var maxX = scaledW - width
            flick.contentX = userMovedH ? Math.max(0, Math.min(flick.contentX, maxX)) : maxX / 2
        }
        if (scaledH <= height) {
            root.y = Math.floor((height - scaledH) / 2) - root.height * (1 - s) / 2
            flick.contentY = 0
            userMovedV = false
        } else {
            root.y = (scaledH - root.height) / 2
            var maxY = scaledH - height
            flick.contentY = userMovedV ? Math.max(0, Math.min(flick.contentY, maxY)) : maxY / 2
        }
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
        place()
        return true
    }

    function setCanvasHeight(height) {
        console.log("main qml setCanvasHeight height = " + height)
        root.height = height
        canvasRectChanged()
        place()
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
