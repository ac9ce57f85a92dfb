import QtQuick 2.15

// Code 144: clock-hand sweep from 12 o'clock, clockwise.
EffectShader {
    id: effect
    usePercent: true
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/wheel.frag")
}
