import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0

// The tear-off day calendar: a square page centred in the widget with the
// year and month on a blue header, the day in large figures and, when the
// record's lunarEnable is set, the lunar date under it. The day comes from
// QmlCallQtProvider.calendarDay(); the page turns at local midnight.
Item {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaStart(string name)

    property string widgetStr: ""
    property bool lunarEnable: true
    property var day: ({ header: "", dayText: "", lunar: "", msecsToMidnight: 0 })

    anchors.fill: parent
    visible: false

    QmlCallQtProvider { id: provider }

    Item {
        id: page
        objectName: "page"
        readonly property real side: Math.min(root.width, root.height)
        width: side
        height: side
        anchors.centerIn: parent

        Rectangle {
            id: header
            objectName: "header"
            width: page.side
            height: page.side / 4
            color: "#00B7EE"
            Text {
                objectName: "headerText"
                anchors.centerIn: parent
                color: "white"
                text: root.day.header
                font.pixelSize: Math.max(1, 0.5 * Math.min(header.height, header.width))
            }
        }

        Rectangle {
            id: body
            objectName: "body"
            y: page.side / 4
            width: page.side
            height: page.side - y
            color: "white"

            Item {
                id: dayBox
                width: body.width
                height: body.height * 5 / 6
                Text {
                    objectName: "dayText"
                    anchors.centerIn: parent
                    color: "#464C5B"
                    text: root.day.dayText
                    font.pixelSize: Math.max(1, 0.7 * Math.min(dayBox.height, dayBox.width))
                }
            }
            Item {
                id: lunarBox
                y: dayBox.height
                width: body.width
                height: body.height - dayBox.height
                visible: root.lunarEnable && root.day.lunar !== ""
                Text {
                    objectName: "lunarText"
                    anchors.centerIn: parent
                    color: "#464C5B"
                    text: root.day.lunar
                    font.pixelSize: Math.max(1, 0.6 * Math.min(lunarBox.height, lunarBox.width))
                }
            }
        }

        Repeater {
            model: [0.10, 0.15, 0.80, 0.85]
            Image {
                x: modelData * page.side
                y: 0.2 * page.side
                width: 0.05 * page.side
                height: 0.1 * page.side
                source: "qrc:/preview/img/tarrocalendar/ring.svg"
                sourceSize: Qt.size(Math.max(1, width), Math.max(1, height))
                fillMode: Image.Stretch
                smooth: true
            }
        }
    }

    Timer {
        id: midnight
        repeat: false
        onTriggered: root.refresh()
    }

    // Reads the local day and waits for the next local midnight.
    function refresh() {
        day = provider.calendarDay()
        midnight.interval = Math.max(20, day.msecsToMidnight + 20)
        midnight.restart()
    }

    Component.onCompleted: {
        var record = {}
        try {
            record = JSON.parse(widgetStr)
        } catch (e) {
            record = {}
        }
        if (record && typeof record.id === "string")
            objectName = record.id
        var meta = (record && typeof record.metadata === "object" && record.metadata) ? record.metadata : {}
        lunarEnable = meta.lunarEnable !== false
        refresh()
        baseMediaPrePared("play")
        baseMediaStart("play")
        visible = true
    }
}
