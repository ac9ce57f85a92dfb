import QtQuick 2.15

// Codes 192-195: a stretched copy sweeps across, uncovering the page.
EffectShader {
    id: effect
    property real cumulateSize: 2.0
    property real lead: 10
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/cumulate.frag")
}
