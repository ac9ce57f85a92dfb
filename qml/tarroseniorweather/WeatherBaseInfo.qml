import QtQuick 2.15

// The basic panel: city, icon, temperature, AQI with its level, range and
// weather. Forms as in PageList: "list" (styles 1 and 2), "row" (everything
// on one line, style 3), "narrow" (everything under each other, style 4).
Item {
    id: root
    property string form: "list"
    property var panel: ({})
    property var labels: ({})
    readonly property bool across: form === "row"
    readonly property bool narrow: form === "narrow"
    readonly property real unit: Math.max(1, height / (narrow ? 8 : 5))
    readonly property real textSize: Math.max(1, across ? height * 0.2 : unit * 0.5)
    Text {
        id: city
        objectName: "seniorCity"
        x: root.across ? icon.x + icon.width + root.width * 0.02 : root.width * 0.05
        y: root.across ? root.height * 0.1 : 0
        width: root.across ? root.width * 0.3 : root.width * 0.9
        textFormat: Text.PlainText
        color: "white"
        elide: Text.ElideRight
        font.pixelSize: Math.max(1, root.across ? root.height * 0.3 : root.unit * 0.7)
        text: panel.city || ""
    }
    Image {
        id: icon
        objectName: "seniorIcon"
        x: root.narrow ? (root.width - width) / 2 : root.width * 0.05
        y: root.across ? root.height * 0.1 : root.unit * 1.1
        width: root.across ? root.height * 0.8 : root.unit * 2
        height: width
        sourceSize.width: 256
        sourceSize.height: 256
        fillMode: Image.PreserveAspectFit
        source: panel.icon || ""
        visible: source != ""
    }
    Text {
        id: temperature
        objectName: "seniorTemperature"
        x: root.across ? root.width * 0.45 : (root.narrow ? (root.width - width) / 2
                                                          : icon.x + icon.width + root.width * 0.05)
        y: root.across ? (root.height - height) / 2 : (root.narrow ? root.unit * 3.2 : root.unit)
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, root.across ? root.height * 0.5
                                               : (root.narrow ? root.unit * 1.2
                                                              : Math.min(root.unit * 1.8, (root.width - x) * 0.3)))
        text: (panel.temperature || "--") + (panel.sign || "")
    }
    Text {
        objectName: "seniorAir"
        x: root.across ? root.width * 0.65 : root.width * 0.05
        y: root.across ? root.height * 0.1 : root.unit * (root.narrow ? 5 : 3.3)
        width: root.across ? root.width * 0.33 : root.width * 0.9
        textFormat: Text.PlainText
        color: "white"
        elide: Text.ElideRight
        visible: panel.domestic === true
        font.pixelSize: root.textSize
        text: (labels.airIndex || "") + " " + (panel.aqi || "") + "  " + (panel.airQuality || "")
    }
    Text {
        x: root.across ? root.width * 0.65 : root.width * 0.05
        y: root.across ? root.height * 0.55 : root.unit * (root.narrow ? 6 : 4.1)
        width: root.across ? root.width * 0.33 : root.width * 0.9
        textFormat: Text.PlainText
        color: "white"
        elide: Text.ElideRight
        wrapMode: root.narrow ? Text.WordWrap : Text.NoWrap
        maximumLineCount: root.narrow ? 2 : 1
        font.pixelSize: root.textSize
        text: (panel.range || "") + " " + (panel.weather || "")
    }
}
