import QtQuick 2.15
import QtQuick.Shapes 1.15

// A half-circle arc with the sun at its position between sunrise and sunset
// (0..1 from the library; hidden when the times are not usable). Forms as in
// PageList: "row" sizes the texts to a flat strip, "narrow" puts the sunset
// under the sunrise.
Item {
    id: root
    property string form: "list"
    property var panel: ({})
    property var labels: ({})
    readonly property real position: typeof panel.sunPosition === "number" ? panel.sunPosition : -1
    readonly property bool across: form === "row"
    readonly property real textSize: Math.max(1, height * (across ? 0.2 : (form === "narrow" ? 0.06 : 0.07)))
    readonly property real radius: Math.max(1, Math.min(width * (across ? 0.2 : 0.4), height * 0.6))
    readonly property real cx: width / 2
    readonly property real cy: across ? height * 0.85 : height * (form === "narrow" ? 0.7 : 0.8)

    Text {
        objectName: "pageTitle"
        x: root.width * 0.05
        textFormat: Text.PlainText
        color: "white"
        font.bold: true
        font.pixelSize: Math.max(1, root.form === "list" ? root.height * 0.09 : root.textSize * 1.2)
        text: labels.sunriseSet || ""
    }
    Shape {
        anchors.fill: parent
        ShapePath {
            strokeColor: "#b6bdc9"
            strokeWidth: 2
            fillColor: "transparent"
            strokeStyle: ShapePath.DashLine
            startX: root.cx - root.radius
            startY: root.cy
            PathArc {
                x: root.cx + root.radius
                y: root.cy
                radiusX: root.radius
                radiusY: root.radius
            }
        }
    }
    Rectangle {
        objectName: "sun"
        visible: root.position >= 0
        width: Math.max(4, root.radius * 0.15)
        height: width
        radius: width / 2
        color: "#FFC83D"
        x: root.cx - root.radius * Math.cos(Math.PI * Math.max(0, root.position)) - width / 2
        y: root.cy - root.radius * Math.sin(Math.PI * Math.max(0, root.position)) - height / 2
    }
    Text {
        id: rise
        x: root.width * 0.05
        y: root.across ? root.height - height : root.cy + 4
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: root.textSize
        text: (labels.morning || "") + " " + (panel.sunrise || "--")
    }
    Text {
        x: root.form === "narrow" ? rise.x : root.width * 0.95 - width
        y: root.form === "narrow" ? rise.y + rise.height : rise.y
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: root.textSize
        text: (labels.night || "") + " " + (panel.sunset || "--")
    }
}
