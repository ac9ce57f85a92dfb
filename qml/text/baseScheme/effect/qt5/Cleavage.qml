import QtQuick 2.15

// Codes 177, 240-245: the page opens by rows from an edge or the middle line.
EffectShader {
    id: effect
    usePercent: true
    runToEnd: false
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/cleavage.frag")
}
