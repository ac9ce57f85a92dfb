import QtQuick 2.15

// Codes 48-53: edges start multiple sizes away and close in.
EffectShader {
    id: effect
    property real multiple: 20.0
    vertexShader: Qt.resolvedUrl("../glsl/win/indent.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/effect.frag")
}
