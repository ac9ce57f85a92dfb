import QtQuick 2.15

// A titled list of label / value rows, plain text, in one of three forms:
// "list" (label left, value right, styles 1 and 2), "row" (the title, then
// the rows side by side with the label over the value, style 3) and
// "narrow" (the label over the value, rows under each other, style 4).
Item {
    id: root
    property string form: "list"
    property string title: ""
    property var rows: []   // [[label, value], ...]
    readonly property bool across: form === "row"
    readonly property bool stacked: form !== "list"
    property real unit: Math.max(1, across ? height / 2.4
                                           : height / (rows.length * (stacked ? 2 : 1) + 2))

    Text {
        id: heading
        objectName: "pageTitle"
        x: root.width * 0.05
        width: root.across ? root.width * 0.2 : root.width * 0.9
        height: root.across ? root.height : root.unit * 1.4
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: Math.max(1, root.unit * (root.form === "list" ? 0.8 : 0.6))
        font.bold: true
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        text: root.title
    }
    Grid {
        x: root.across ? root.width * 0.27 : root.width * 0.05
        y: root.across ? (root.height - height) / 2 : heading.height
        width: root.across ? root.width * 0.7 : root.width * 0.9
        columns: root.across ? Math.max(1, root.rows.length) : 1
        Repeater {
            model: root.rows
            Item {
                width: root.across ? parent.width / Math.max(1, root.rows.length) : parent.width
                height: root.unit * (root.stacked ? 2 : 1)
                Text {
                    width: root.stacked ? parent.width : parent.width * 0.6
                    textFormat: Text.PlainText
                    color: "#DDE6F0"
                    elide: Text.ElideRight
                    font.pixelSize: Math.max(1, root.unit * 0.6)
                    text: modelData[0]
                }
                Text {
                    x: root.stacked ? 0 : parent.width - width
                    y: root.stacked ? root.unit : 0
                    width: root.stacked ? parent.width : implicitWidth
                    textFormat: Text.PlainText
                    color: "white"
                    elide: Text.ElideRight
                    font.pixelSize: Math.max(1, root.unit * 0.6)
                    text: modelData[1]
                }
            }
        }
    }
}
