import QtQuick 2.15

// The air-quality page: the AQI with its level, then the rows the library
// chose for the style (the pollutants with or without bars, or one AQI
// bar). A bar is a "#b6bdc9" track filled in white to its fraction. Forms
// as in PageList.
Item {
    id: root
    property string form: "list"
    property var panel: ({})
    property var labels: ({})
    readonly property bool across: form === "row"
    readonly property var rows: panel.domestic === true && panel.airRows ? panel.airRows : []
    readonly property real unit: Math.max(1, across ? height / 2.4 : height / 9)
    Text {
        objectName: "pageTitle"
        x: root.width * 0.05
        width: root.across ? root.width * 0.2 : root.width * 0.9
        height: root.across ? root.height : implicitHeight
        textFormat: Text.PlainText
        color: "white"
        font.bold: true
        wrapMode: root.across ? Text.WordWrap : Text.NoWrap
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        font.pixelSize: Math.max(1, root.unit * (root.form === "list" ? 0.8 : 0.6))
        text: (labels.airQuality || "") + "  " + (panel.aqi || "--") + " " + (panel.airQuality || "")
    }
    Grid {
        x: root.across ? root.width * 0.27 : root.width * 0.05
        y: root.across ? (root.height - height) / 2 : root.unit * 1.5
        width: root.across ? root.width * 0.7 : root.width * 0.9
        columns: root.across ? Math.max(1, root.rows.length) : 1
        Repeater {
            model: root.rows
            Item {
                readonly property bool bar: modelData.fraction >= 0
                readonly property bool under: root.form !== "list"
                width: root.across ? parent.width / Math.max(1, root.rows.length) : parent.width
                height: root.unit * (root.across || (under && bar) ? 2 : 1)
                Text {
                    width: parent.under ? parent.width : parent.width * 0.38
                    textFormat: Text.PlainText
                    color: "white"
                    elide: Text.ElideRight
                    font.pixelSize: Math.max(1, root.unit * 0.55)
                    text: (modelData.label ? root.labels[modelData.label] || "" : modelData.name)
                          + (root.across ? "\n" : " ") + modelData.value
                }
                Rectangle {
                    objectName: "airBar"
                    visible: parent.bar
                    x: parent.under ? 0 : parent.width * 0.4
                    y: parent.under ? root.unit * 1.2 : root.unit * 0.3
                    width: parent.width * (parent.under ? 1 : 0.6)
                    height: root.unit * 0.3
                    color: "#b6bdc9"
                    Rectangle {
                        width: parent.width * Math.max(0, Math.min(1, modelData.fraction))
                        height: parent.height
                        color: "#ffffff"
                    }
                }
            }
        }
    }
}
