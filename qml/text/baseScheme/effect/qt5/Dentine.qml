import QtQuick 2.15

// Code 160: interleaved teeth rise and fall into place.
EffectShader {
    id: effect
    property real dentineCount: 8
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/dentine.frag")
}
