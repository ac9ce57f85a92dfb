import QtQuick 2.15

// Codes 32-35: the content slides in by a whole width or height.
EffectShader {
    id: effect

    vertexShader: Qt.resolvedUrl("../glsl/win/move.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/effect.frag")
}
