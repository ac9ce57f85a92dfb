import QtQuick 2.15
import com.kest.qmlCallQtCommon 1.0
import "baseScheme/com"
import "../utils/clockstyle.js" as ClockStyle

// The rows of the real-time data widget under its optional title: as many
// rows as fit (at least one), still and centred, page by page, or all of them
// scrolling upwards. Texts are plain text.
Item {
    id: rt

    property var plan: ({ rows: [], columns: [], mode: "static", title: "" })
    property bool running: true
    property int page: 0

    QmlCallQtProvider { id: provider }

    readonly property var titleSt: ClockStyle.style(plan.titleStyle, provider)
    readonly property var labelSt: ClockStyle.style(plan.labelStyle, provider)
    readonly property var valueSt: ClockStyle.style(plan.valueStyle, provider)
    readonly property var unitSt: ClockStyle.style(plan.unitStyle, provider)

    FontMetrics { id: titleMetrics; font.family: titleSt.family; font.pixelSize: titleSt.size }
    FontMetrics { id: labelMetrics; font.family: labelSt.family; font.pixelSize: labelSt.size }
    FontMetrics { id: valueMetrics; font.family: valueSt.family; font.pixelSize: valueSt.size }
    FontMetrics { id: unitMetrics; font.family: unitSt.family; font.pixelSize: unitSt.size }

    readonly property bool scrolling: plan.mode === "scroll"
    readonly property real titleHeight: plan.title !== "" ? Math.ceil(titleMetrics.height) : 0
    readonly property real rowHeight: Math.max(1, Math.ceil(Math.max(labelMetrics.height, valueMetrics.height,
                                                                    unitMetrics.height)))
    // A widget lower than one row still shows one.
    readonly property int rowsPerPage: scrolling ? plan.rows.length
        : Math.max(1, Math.min(plan.rows.length, Math.floor((height - titleHeight) / rowHeight)))
    readonly property int pageCount: Math.max(1, Math.ceil(plan.rows.length / Math.max(1, rowsPerPage)))
    readonly property real gap: scrolling ? 0
        : Math.max(0, Math.floor((height - titleHeight - rowsPerPage * rowHeight) / (rowsPerPage + 1)))

    function rowAt(i) {
        var n = page * rowsPerPage + i
        return n < plan.rows.length ? plan.rows[n] : { label: "", value: "", unit: "" }
    }

    Column {
        id: column
        objectName: "rtColumn"
        width: rt.width
        spacing: rt.gap
        topPadding: rt.gap
        bottomPadding: rt.gap
        y: rt.scrolling ? rt.height : Math.floor((rt.height - height) / 2)

        Text {
            id: titleText
            visible: rt.plan.title !== ""
            width: rt.width
            height: rt.titleHeight
            text: rt.plan.title
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            Component.onCompleted: ClockStyle.apply(titleText, rt.titleSt)
        }

        Repeater {
            model: rt.plan.rows.length > 0 ? rt.rowsPerPage : 0
            delegate: Row {
                id: rowItem
                readonly property var entry: rt.rowAt(index)
                width: rt.width
                height: rt.rowHeight

                Repeater {
                    model: rt.plan.columns
                    delegate: Item {
                        width: rt.width * modelData.proportion / 100
                        height: rt.rowHeight
                        Row {
                            height: parent.height
                            anchors.left: modelData.align === "LEFT" ? parent.left : undefined
                            anchors.right: modelData.align === "RIGHT" ? parent.right : undefined
                            anchors.horizontalCenter: modelData.align === "CENTER" ? parent.horizontalCenter
                                                                                   : undefined
                            Text {
                                id: mainText
                                visible: modelData.type !== 0 && modelData.type !== 3
                                height: parent.height
                                verticalAlignment: Text.AlignVCenter
                                textFormat: Text.PlainText
                                text: modelData.type === 1 ? rowItem.entry.label : rowItem.entry.value
                                Component.onCompleted: ClockStyle.apply(mainText, modelData.type === 1 ? rt.labelSt
                                                                                                   : rt.valueSt)
                            }
                            Text {
                                id: unitText
                                visible: modelData.type === 3 || modelData.type === 4
                                height: parent.height
                                verticalAlignment: Text.AlignVCenter
                                textFormat: Text.PlainText
                                text: rowItem.entry.unit
                                Component.onCompleted: ClockStyle.apply(unitText, rt.unitSt)
                            }
                        }
                    }
                }
            }
        }

        NumberAnimation on y {
            running: rt.scrolling && rt.running
            from: rt.height
            to: -column.height
            duration: Math.ceil((rt.height + column.height) * 1000 / Math.max(1, rt.plan.speed))
            loops: Animation.Infinite
        }
    }

    InOutEffect {
        id: effect
        anchors.fill: parent
        inAnimation: rt.plan.effect ? rt.plan.effect : ({ type: 0, duration: 0 })
    }

    Timer {
        interval: rt.plan.pageMs > 0 ? rt.plan.pageMs : 1000
        repeat: true
        running: rt.plan.mode === "page" && rt.running && rt.pageCount > 1
        onTriggered: {
            rt.page = (rt.page + 1) % rt.pageCount
            if (rt.plan.effect && rt.plan.effect.type !== 0 && rt.plan.effect.duration > 0)
                effect.startItemEffect(column)
        }
    }
}
