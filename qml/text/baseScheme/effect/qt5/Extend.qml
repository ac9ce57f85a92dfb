import QtQuick 2.15

// Codes 16-22: the content unfolds from an edge, a centre line or the centre.
EffectShader {
    id: effect

    vertexShader: Qt.resolvedUrl("../glsl/win/extend.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/effect.frag")
}
