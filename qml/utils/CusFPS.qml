import QtQuick 2.15

// Counts rendered frames: an invisible image turns once a second, and every
// change of its rotation is one frame. The count of the last second is fps.
Item {
    id: meter

    property int fps: 60
    property int frameCount: 0

    width: fpsText.implicitWidth
    height: fpsText.implicitHeight

    Image {
        id: spinner
        width: 32
        height: 32
        visible: true
        opacity: 0
        NumberAnimation on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
        onRotationChanged: meter.frameCount++
    }

    Timer {
        interval: 1000
        repeat: true
        running: true
        onTriggered: {
            meter.fps = meter.frameCount
            meter.frameCount = 0
        }
    }

    Text {
        id: fpsText
        text: "FPS " + meter.fps
        font.pixelSize: 18
        style: Text.Outline
        color: "#00000000"
    }
}
