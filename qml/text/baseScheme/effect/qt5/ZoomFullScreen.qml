import QtQuick 2.15

// Code 112: the two halves rise from below while closing in sideways.
EffectShader {
    id: effect

    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/zoomfullscreen.frag")
}
