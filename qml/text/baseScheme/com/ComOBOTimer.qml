import QtQuick 2.15

// Shows one more character of the full text every 400 ms until all show.
Timer {
    id: root

    // The full text as code points.
    property var chars: []
    property int shown: 0
    readonly property string text: chars.slice(0, shown).join("")

    interval: 400
    repeat: true
    onTriggered: {
        if (shown < chars.length)
            ++shown
        if (shown >= chars.length)
            stop()
    }

    function begin() {
        shown = 0
        restart()
    }
}
