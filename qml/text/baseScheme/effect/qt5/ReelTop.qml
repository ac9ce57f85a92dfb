import QtQuick 2.15

// Code 64: the content unrolls downwards behind a mirrored roll band.
EffectShader {
    id: effect
    property real flipSize: 0.08
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/reel.frag")
}
