import QtQuick 2.15
import QtQuick.Shapes 1.15

// A half-circle arc with the sun at its position between sunrise and sunset
// (0..1 from the library; hidden when the times are not usable).
Item {
    id: root
    property var panel: ({})
    property var labels: ({})
    readonly property real position: typeof panel.sunPosition === "number" ? panel.sunPosition : -1
    readonly property real radius: Math.max(1, Math.min(width * 0.4, height * 0.6))
    readonly property real cx: width / 2
    readonly property real cy: height * 0.8

    Text {
        objectName: "pageTitle"
        x: root.width * 0.05
        textFormat: Text.PlainText
        color: "white"
        font.bold: true
        font.pixelSize: Math.max(1, root.height * 0.09)
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
        x: root.width * 0.05
        y: root.cy + 4
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, root.height * 0.07)
        text: (labels.morning || "") + " " + (panel.sunrise || "--")
    }
    Text {
        anchors.right: parent.right
        anchors.rightMargin: root.width * 0.05
        y: root.cy + 4
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, root.height * 0.07)
        text: (labels.night || "") + " " + (panel.sunset || "--")
    }
}
