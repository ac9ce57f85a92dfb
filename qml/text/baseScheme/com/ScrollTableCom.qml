import QtQuick 2.15

// A table moving upwards: its rendered container shown through one picture,
// or three stacked ones when it is more than three widget heights tall,
// moved in whole pixels from the bottom edge until it has left at the top,
// then again. The position follows elapsed time.
Item {
    id: scroll

    property Item source: null
    property real tableWidth: 0
    property real tableHeight: 0
    property int speed: 60
    property bool running: true
    readonly property int sliceCount: tableHeight > 3 * height ? 3 : 1
    readonly property real sliceHeight: Math.ceil(tableHeight / sliceCount)
    readonly property real cycle: height + tableHeight
    // Elapsed milliseconds of motion, advanced by the clock.
    property real elapsed: 0
    readonly property real position: cycle > 0 ? height - (Math.floor(speed * elapsed / 1000) % Math.ceil(cycle)) : height

    clip: true

    Repeater {
        model: scroll.sliceCount
        delegate: ShaderEffectSource {
            readonly property real sliceTop: index * scroll.sliceHeight
            x: 0
            y: scroll.position + sliceTop
            width: scroll.tableWidth
            height: index === scroll.sliceCount - 1 ? scroll.tableHeight - sliceTop : scroll.sliceHeight
            sourceItem: scroll.source
            sourceRect: Qt.rect(0, sliceTop, width, height)
            hideSource: true
            smooth: false
        }
    }

    NumberAnimation {
        id: clock
        target: scroll
        property: "elapsed"
        from: 0
        to: 1000000000
        duration: 1000000000
        running: true
        paused: !scroll.running
    }
}
