import QtQuick 2.15
import "../tarroseniorweather/langResx.js" as Lang

// The Tarro base weather panel. The library hands the values in `panel`
// (see TarroWeather::basePanel); this scene only lays them out: normal
// (width >= 400 and height >= 250), mini (width < 200 or height < 100) or
// medium, re-chosen on every size change. It stays empty until the first
// good answer. Texts are plain text; the icon comes from the library.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property var panel: ({ ready: false })
    readonly property bool ready: panel && panel.ready === true
    readonly property string layout: width >= 400 && height >= 250 ? "normal"
                                   : (width < 200 || height < 100 ? "mini" : "medium")
    readonly property real unit: Math.max(1, Math.min(height, width / 2))
    readonly property var labels: Lang.labels(field("lang"))

    anchors.fill: parent
    clip: true
    visible: false
    color: "transparent"
    // Drawn once into a texture: the window keeps drawing frames.
    layer.enabled: true

    function field(name) {
        return panel && panel[name] !== undefined ? String(panel[name]) : ""
    }

    Rectangle {
        id: background
        objectName: "baseBackground"
        anchors.fill: parent
        visible: root.ready
        readonly property string kind: root.field("background")
        gradient: Gradient {
            GradientStop {
                position: 0.0
                color: background.kind === "sunshine" ? "#3B8BE0" : background.kind === "cloud" ? "#7C93AD"
                     : background.kind === "sunshinenight" ? "#1B2B57" : "#2C3542"
            }
            GradientStop {
                position: 1.0
                color: background.kind === "sunshine" ? "#8CC8F5" : background.kind === "cloud" ? "#B7C4D3"
                     : background.kind === "sunshinenight" ? "#3D4F86" : "#4D5868"
            }
        }
    }

    Item {
        id: content
        anchors.fill: parent
        visible: root.ready

        Text {
            id: city
            objectName: "baseCity"
            visible: root.layout !== "mini"
            x: root.width * 0.05
            y: root.height * 0.03
            width: root.width * 0.6
            height: root.height * 0.18
            textFormat: Text.PlainText
            color: "white"
            font.pixelSize: Math.max(1, height * 0.6)
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            text: root.field("city")
        }

        Rectangle {
            id: airBadge
            objectName: "baseAirQuality"
            visible: root.layout === "normal" && root.field("airQuality") !== ""
            anchors.right: parent.right
            anchors.rightMargin: root.width * 0.05
            y: city.y + city.height * 0.15
            height: city.height * 0.7
            width: airText.implicitWidth + height
            radius: height / 2
            color: "#3300FF88"
            Text {
                id: airText
                anchors.centerIn: parent
                textFormat: Text.PlainText
                color: "white"
                font.pixelSize: Math.max(1, parent.height * 0.6)
                text: root.field("airQuality")
            }
        }

        Image {
            id: icon
            objectName: "baseIcon"
            source: root.field("icon")
            visible: source != ""
            fillMode: Image.PreserveAspectFit
            sourceSize.width: 256
            sourceSize.height: 256
            width: root.layout === "mini" ? root.unit * 0.8 : root.height * 0.4
            height: width
            x: root.layout === "mini" ? (root.width / 2 - width) / 2 : root.width * 0.05
            y: root.layout === "mini" ? (root.height - height) / 2 : root.height * 0.22
        }

        Text {
            id: temperature
            objectName: "baseTemperature"
            textFormat: Text.PlainText
            color: "white"
            font.pixelSize: Math.max(1, root.layout === "mini" ? root.unit * 0.8 * 0.4
                                       : root.height * 0.4 * (root.layout === "normal" ? 0.7 : 0.8))
            x: root.layout === "mini" ? root.width / 2 : icon.x + icon.width + root.width * 0.05
            y: root.layout === "mini" ? root.height / 2 : icon.y + (icon.height - height) / 2
            text: root.field("temperature") + root.field("sign")
        }

        Text {
            id: weatherText
            objectName: "baseWeather"
            textFormat: Text.PlainText
            color: "white"
            font.pixelSize: Math.max(1, root.layout === "mini" ? root.unit * 0.8 * 0.3 : root.height * 0.08)
            x: root.layout === "mini" ? root.width / 2 : temperature.x
            y: root.layout === "mini" ? root.height / 2 - height : temperature.y + temperature.height
            text: root.field("weather")
        }

        Text {
            id: mediumRange
            objectName: "baseMediumRange"
            visible: root.layout === "medium"
            textFormat: Text.PlainText
            color: "white"
            font.pixelSize: Math.max(1, root.height * 0.08)
            x: root.width * 0.05
            y: root.height * 0.75
            text: root.field("range")
        }

        Row {
            id: columns
            objectName: "baseColumns"
            visible: root.layout === "normal"
            x: root.width * 0.05
            y: root.height * 0.72
            width: root.width * 0.9
            height: root.height * 0.25
            Repeater {
                model: 3
                Item {
                    width: columns.width / 3
                    height: columns.height
                    Image {
                        id: glyph
                        visible: index > 0
                        width: index > 0 ? parent.height * 0.4 : 0
                        height: width
                        anchors.verticalCenter: parent.verticalCenter
                        source: index === 1 ? "qrc:/preview/img/tarroweather/wind.svg"
                              : index === 2 ? "qrc:/preview/img/tarroweather/temperature.svg" : ""
                        sourceSize.width: 64
                        sourceSize.height: 64
                    }
                    Text {
                        objectName: "baseColumn" + index
                        anchors.left: glyph.right
                        anchors.leftMargin: 4
                        anchors.verticalCenter: parent.verticalCenter
                        textFormat: Text.PlainText
                        color: "white"
                        font.pixelSize: Math.max(1, columns.height * 0.25)
                        text: index === 0 ? root.labels.tempRange + "\n" + root.field("range")
                            : index === 1 ? root.field("windDirection") + "\n"
                                            + Lang.windPower(root.labels, root.field("windValue"))
                            : root.labels.currentHumidity + "\n" + root.field("humidity")
                    }
                }
            }
        }
    }

    function play() {
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
    }
    function pause() {}
    function stop() {}
    function resume() {}
    function restart() {}

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        play()
    }
}
