import QtQuick 2.15

// A titled list of label / value rows, plain text.
Item {
    id: root
    property string title: ""
    property var rows: []   // [[label, value], ...]
    property real unit: Math.max(1, height / (rows.length + 2))

    Text {
        id: heading
        objectName: "pageTitle"
        x: root.width * 0.05
        height: root.unit * 1.4
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, root.unit * 0.8)
        font.bold: true
        verticalAlignment: Text.AlignVCenter
        text: root.title
    }
    Column {
        y: heading.height
        x: root.width * 0.05
        width: root.width * 0.9
        Repeater {
            model: root.rows
            Item {
                width: parent.width
                height: root.unit
                Text {
                    textFormat: Text.PlainText
                    color: "#DDE6F0"
                    font.pixelSize: Math.max(1, root.unit * 0.6)
                    text: modelData[0]
                }
                Text {
                    anchors.right: parent.right
                    textFormat: Text.PlainText
                    color: "white"
                    font.pixelSize: Math.max(1, root.unit * 0.6)
                    text: modelData[1]
                }
            }
        }
    }
}
