import QtQuick 2.15
import "com"
import "js/fold.js" as Fold

// Rich text spread over several rectangles of an over-length screen: the text
// runs on one virtual strip (paged or scrolling) and every rectangle shows its
// section of that strip.
Item {
    id: root

    signal pageSwitchGrabImage()

    property var info: null
    property var layout: ({ width: 0, height: 0, sections: [] })
    property Item display: displayLoader.item

    function init(inf) {
        info = inf
        layout = Fold.strip(inf.fold)
        if (layout.width <= 0 || layout.height <= 0) {
            console.log("[FoldRichText] fold strip has no area")
            return
        }
        var scroll = inf.displayStyle.type === "SCROLL"
        displayLoader.setSource(scroll ? "RevolveLamp.qml" : "PageSwitch.qml",
                                { width: layout.width, height: layout.height })
        var d = displayLoader.item
        if (!d) {
            console.log("[FoldRichText] display component failed")
            return
        }
        if (!scroll)
            d.stopAtCountdownEnd = true
        d.init(inf)
        d.pageSwitchGrabImage.connect(root.pageSwitchGrabImage)
        var offsetY = inf.displayStyle.offset.y
        var fill = inf.paragraphs.length ? inf.paragraphs[0].backgroundColor : "#00000000"
        for (var i = 0; i < layout.sections.length; ++i) {
            var s = layout.sections[i]
            viewComponent.createObject(root, {
                x: s.x, y: s.y, width: s.width, height: s.height, color: fill,
                sourceItem: strip, section: Qt.rect(s.sx, s.sy - offsetY, s.width, s.height)
            })
        }
    }

    function start() { if (display) display.start() }
    function restart() { if (display) display.restart() }
    function resume() { if (display) display.resume() }
    function pause() { if (display) display.pause() }
    function setVisible() { if (display) display.setVisible() }

    Item {
        id: strip
        width: root.layout.width
        height: root.layout.height
        Loader {
            id: displayLoader
        }
    }

    Component {
        id: viewComponent
        ComFoldView {}
    }
}
