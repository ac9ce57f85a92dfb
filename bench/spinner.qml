import QtQuick 2.15

// A scene that renders every frame: many rotating rectangles.
Rectangle {
    color: "#202020"
    Repeater {
        model: 200
        Rectangle {
            x: (index % 20) * 60 + 10
            y: Math.floor(index / 20) * 60 + 10
            width: 40
            height: 40
            color: Qt.hsla(index / 200, 0.6, 0.5, 1)
            RotationAnimation on rotation {
                from: 0
                to: 360
                duration: 2000
                loops: Animation.Infinite
            }
        }
    }
}
