import QtQuick 2.15

// The basic panel: city, temperature, AQI with its level, range and weather.
Item {
    property var panel: ({})
    property var labels: ({})
    readonly property real unit: Math.max(1, height / 5)
    Text {
        objectName: "seniorCity"
        x: parent.width * 0.05
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, unit * 0.7)
        text: panel.city || ""
    }
    Image {
        id: icon
        x: parent.width * 0.05
        y: unit * 1.1
        width: unit * 2
        height: width
        sourceSize.width: 256
        sourceSize.height: 256
        fillMode: Image.PreserveAspectFit
        source: panel.icon || ""
        visible: source != ""
    }
    Text {
        objectName: "seniorTemperature"
        x: icon.x + icon.width + parent.width * 0.05
        y: unit
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, Math.min(unit * 1.8, (parent.width - x) * 0.3))
        text: (panel.temperature || "--") + (panel.sign || "")
    }
    Text {
        x: parent.width * 0.05
        y: unit * 3.3
        textFormat: Text.PlainText
        color: "white"
        visible: panel.domestic === true
        font.pixelSize: Math.max(1, unit * 0.5)
        text: (labels.airIndex || "") + " " + (panel.aqi || "") + "  " + (panel.airQuality || "")
    }
    Text {
        x: parent.width * 0.05
        y: unit * 4.1
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, unit * 0.5)
        text: (panel.range || "") + " " + (panel.weather || "")
    }
}
