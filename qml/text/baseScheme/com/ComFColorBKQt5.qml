import QtQuick 2.15
import QtGraphicalEffects 1.0
import "../js/jcolorfulTextfun.js" as CF

// A linear gradient over the item, shown only where the source (the text
// layer) has ink: colour x ink alpha x opacity.
LinearGradient {
    id: root

    property var colors: []
    property string colorfulType: "FADE_IN_FADE_OUT"
    readonly property var stops: CF.gradientStops(colors)

    start: Qt.point(0, 0)
    end: CF.gradientEnd(colorfulType, width, height)
    gradient: Gradient {
        GradientStop { position: root.stops[0].position; color: root.stops[0].color }
        GradientStop { position: root.stops[1].position; color: root.stops[1].color }
        GradientStop { position: root.stops[2].position; color: root.stops[2].color }
        GradientStop { position: root.stops[3].position; color: root.stops[3].color }
        GradientStop { position: root.stops[4].position; color: root.stops[4].color }
        GradientStop { position: root.stops[5].position; color: root.stops[5].color }
    }
}
