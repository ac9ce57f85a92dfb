import QtQuick 2.15

// The marquee scene of bench_marquee in plain Qt Quick: rows of 1920 x
// (1080 / count) on a black canvas, each on a dark background and clipped,
// with copies of one rich-text line moving left at 120 pixels per second.
Rectangle {
    id: canvas

    property int count: 1

    width: 1920
    height: 1080
    color: "black"

    Repeater {
        model: canvas.count
        Rectangle {
            id: row

            property real textWidth: probe.contentWidth

            y: index * canvas.height / canvas.count
            width: canvas.width
            height: canvas.height / canvas.count
            color: "#101010"
            clip: true

            Text {
                id: probe
                visible: false
                textFormat: Text.RichText
                text: line.text
            }

            Row {
                id: line

                property string text: "<span style=\"font-family:'DejaVu Sans'; font-size:24px; color:#ffffff\">Marquee "
                                      + index + ": " + bench.latin + "</span>"

                height: row.height
                spacing: row.width
                NumberAnimation on x {
                    from: row.width
                    to: -(row.textWidth + row.width)
                    duration: (row.textWidth + 2 * row.width) * 1000 / 120
                    loops: Animation.Infinite
                }
                Repeater {
                    model: 3
                    Text {
                        width: row.textWidth
                        height: row.height
                        textFormat: Text.RichText
                        verticalAlignment: Text.AlignVCenter
                        text: line.text
                    }
                }
            }
        }
    }
}
