import QtQuick 2.15
import "qrc:/preview/qml/text/baseScheme/com"

// Test scene: a backdrop, a page of 4 x 4 coloured cells with one transparent
// cell (column 1, row 1), a picture, and an effect selector over them.
Rectangle {
    id: root
    width: 160
    height: 120
    color: "#2080a0"

    property var effect: null
    property int endCount: 0
    property url pictureUrl: ""
    readonly property var palette: ["#ff4040", "#40ff40", "#4040ff", "#ffff40",
                                    "#ff40ff", "transparent", "#ff9040", "#9040ff",
                                    "#40ff90", "#c0c0c0", "#ffffff", "#904040",
                                    "#409040", "#f0a0d0", "#a0f0d0", "#d0d040"]

    Item {
        id: page
        objectName: "page"
        width: 160
        height: 120
        visible: false
        Repeater {
            model: 16
            Rectangle {
                x: (index % 4) * 40
                y: Math.floor(index / 4) * 30
                width: 40
                height: 30
                color: root.palette[index]
            }
        }
    }

    Image {
        id: picture
        objectName: "picture"
        width: 160
        height: 120
        visible: false
        source: root.pictureUrl
    }

    Component {
        id: effectComponent
        InOutEffect {
            width: 160
            height: 120
        }
    }

    function makeEffect(anim) {
        if (effect)
            effect.destroy()
        endCount = 0
        effect = effectComponent.createObject(root, { inAnimation: anim })
        effect.effectEnd.connect(function() { root.endCount++ })
        return effect
    }

    // Shows the page and starts its effect in the same turn, as a widget does.
    function startOnPage() {
        page.visible = true
        effect.startItemEffect(page)
    }

    function startOnPicture() {
        effect.startEffect(picture)
    }
}
