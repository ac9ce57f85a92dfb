import QtQuick 2.15

// One fold rectangle: shows its section of the strip, live.
Rectangle {
    id: root

    property Item sourceItem: null
    property rect section: Qt.rect(0, 0, 0, 0)

    clip: true

    ShaderEffectSource {
        anchors.fill: parent
        sourceItem: root.sourceItem
        sourceRect: root.section
        format: ShaderEffectSource.RGBA
        live: true
        hideSource: true
    }
}
