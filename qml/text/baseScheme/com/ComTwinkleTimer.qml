import QtQuick 2.15

// Blinks the target: 700 ms shown, 300 ms hidden.
Timer {
    id: root

    property Item target: null
    readonly property int shownMs: 700
    readonly property int hiddenMs: 300

    interval: shownMs
    repeat: false
    onTriggered: {
        if (!target)
            return
        target.visible = !target.visible
        interval = target.visible ? shownMs : hiddenMs
        start()
    }

    function begin() {
        if (target)
            target.visible = true
        interval = shownMs
        restart()
    }
}
