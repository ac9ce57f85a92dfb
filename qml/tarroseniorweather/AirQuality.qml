import QtQuick 2.15

// The air-quality page: AQI and level, and the six pollutants with bars on
// a "#b6bdc9" track filled in white (fractions come clamped from the library).
Item {
    id: root
    property var panel: ({})
    property var labels: ({})
    readonly property var names: ["PM10", "PM2.5", "NO\u2082", "SO\u2082", "O\u2083", "CO"]
    readonly property real unit: Math.max(1, height / 9)
    Text {
        objectName: "pageTitle"
        x: root.width * 0.05
        textFormat: Text.PlainText
        color: "white"
        font.bold: true
        font.pixelSize: Math.max(1, root.unit * 0.8)
        text: (labels.airQuality || "") + "  " + (panel.aqi || "--") + " " + (panel.airQuality || "")
    }
    Column {
        y: root.unit * 1.5
        x: root.width * 0.05
        width: root.width * 0.9
        visible: panel.domestic === true
        Repeater {
            model: 6
            Item {
                width: parent.width
                height: root.unit
                readonly property var figure: panel.airFigures ? panel.airFigures[index] : null
                Text {
                    width: parent.width * 0.25
                    textFormat: Text.PlainText
                    color: "white"
                    font.pixelSize: Math.max(1, root.unit * 0.55)
                    text: root.names[index] + " " + (figure ? figure.value : "--")
                }
                Rectangle {
                    x: parent.width * 0.4
                    width: parent.width * 0.6
                    height: root.unit * 0.3
                    y: root.unit * 0.3
                    color: "#b6bdc9"
                    Rectangle {
                        width: parent.width * (figure ? figure.fraction : 0)
                        height: parent.height
                        color: "#ffffff"
                    }
                }
            }
        }
    }
}
