import QtQuick 2.15

// A text item that draws either through Qt's Text (antialiased) or, with
// antialiasing off, through the hard-edged NWText painter.
Item {
    id: root

    property bool antialiasing: true
    property int wrapMode: Text.NoWrap
    property string text: ""
    property int textFormat: Text.RichText
    property int verticalAlignment: Text.AlignTop
    property int horizontalAlignment: Text.AlignLeft
    readonly property real contentWidth: qtText.contentWidth
    readonly property real contentHeight: qtText.contentHeight
    property string backgroundColor: "#00000000"
    // Family, weight, slant and underline of plain text (rich text carries
    // its own); the size is pixelSize.
    property font font
    property color color: "white"
    property int pixelSize: 8
    property int lineHeightMode: Text.ProportionalHeight
    property real lineHeight: 1.0
    property string realText: ""
    property bool emBold: false
    property bool alwaysShow: false
    // Warm up after every change of the text, or only when onSetText() is
    // called (texts that change every second warm up once).
    property bool warmOnChange: true

    // The hard-edged painter draws into one texture; beyond this size it
    // cannot, and the text is drawn by Qt's Text instead.
    readonly property int maxPaintedSize: 16384
    readonly property bool paintable: width <= maxPaintedSize && height <= maxPaintedSize
    // Longer texts are not warmed up: laying them out twice costs more than it saves.
    readonly property int maxWarmLength: 4096

    // Set while the text is shown at a warm-up size for one frame.
    property bool warming: false
    property var nwItem: null

    function nwVerticalAlignment() {
        if (verticalAlignment === Text.AlignVCenter)
            return 1
        if (verticalAlignment === Text.AlignBottom)
            return 2
        return 0
    }

    function nwTextFormat() {
        if (textFormat === Text.PlainText)
            return 2
        return wrapMode === Text.NoWrap ? 0 : 1
    }

    // Renders rich text once at 48 pixels so the glyphs are prepared before the
    // real text shows; not needed where the platform renders glyphs itself.
    function onSetText() {
        if (Qt.platform.os === "windows" || Qt.platform.os === "wasm" || text === "" || text.length > maxWarmLength)
            return
        realText = text
        warming = true
        warmTimer.restart()
    }

    function createNwText() {
        if (nwItem)
            return
        if (!paintable) {
            console.log("[KestText] " + width + "x" + height + " is too large to paint hard-edged, drawing it smoothly")
            return
        }
        try {
            nwItem = Qt.createQmlObject('import QtQuick 2.15; import an.kest.text 1.0; NWText {}', root, "NWText")
        } catch (e) {
            console.log("[KestText] NWText unavailable, drawing without it: " + e)
            nwItem = null
            return
        }
        nwItem.width = Qt.binding(function () { return root.width })
        nwItem.height = Qt.binding(function () { return root.height })
        nwItem.nwWidth = Qt.binding(function () { return root.width })
        nwItem.nwHeight = Qt.binding(function () { return root.height })
        nwItem.nwTextFormat = Qt.binding(function () { return root.nwTextFormat() })
        nwItem.nwBackgroundColor = Qt.binding(function () { return root.backgroundColor })
        nwItem.nwVerticalAlignment = Qt.binding(function () { return root.nwVerticalAlignment() })
        nwItem.nwFont = Qt.binding(function () { return root.font })
        nwItem.nwColor = Qt.binding(function () { return root.color })
        nwItem.nwPixelSize = Qt.binding(function () { return root.pixelSize })
        nwItem.nwLineHeight = Qt.binding(function () { return root.lineHeight * root.pixelSize })
        nwItem.nwText = Qt.binding(function () { return root.text })
    }

    function destroyNwText() {
        if (nwItem) {
            nwItem.destroy()
            nwItem = null
        }
    }

    onAntialiasingChanged: antialiasing ? destroyNwText() : createNwText()
    onPaintableChanged: {
        if (!paintable)
            destroyNwText()
        else if (!antialiasing)
            createNwText()
    }
    onTextChanged: if (warmOnChange) onSetText()
    Component.onCompleted: if (!antialiasing) createNwText()

    Rectangle {
        anchors.fill: parent
        visible: !root.nwItem
        color: root.backgroundColor
    }

    Text {
        id: qtText
        anchors.fill: parent
        visible: !root.nwItem
        antialiasing: root.antialiasing
        renderType: root.antialiasing ? Text.QtRendering : Text.NativeRendering
        text: root.warming ? warmText(root.realText) : root.text
        textFormat: root.textFormat
        wrapMode: root.wrapMode
        verticalAlignment: root.verticalAlignment
        horizontalAlignment: root.horizontalAlignment
        color: root.color
        font.family: root.font.family
        font.bold: root.font.bold
        font.italic: root.font.italic
        font.underline: root.font.underline
        font.pixelSize: root.warming && root.textFormat === Text.PlainText ? 48 : root.pixelSize
        lineHeightMode: root.lineHeightMode
        lineHeight: root.lineHeight

        function warmText(t) {
            if (root.textFormat === Text.PlainText)
                return t
            return t.replace(/font-size:\d{2,3}px/g, "font-size:48px")
        }
    }

    Timer {
        id: warmTimer
        interval: 16
        onTriggered: root.warming = false
    }
}
