import QtQuick 2.15

// Code 176: fade in.
EffectShader {
    id: effect
    usePercent: true
    runToEnd: false
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/fadeinout.frag")
}
