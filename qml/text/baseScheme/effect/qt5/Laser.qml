import QtQuick 2.15

// Codes 208-211: a stretched beam sweeps across, uncovering the page.
EffectShader {
    id: effect
    property real laserSize: 30.0
    // The uncovered edge leads by 10 px over pictures, 20 px over items.
    property real lead: picMode ? 10 : 20
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/laser.frag")
}
