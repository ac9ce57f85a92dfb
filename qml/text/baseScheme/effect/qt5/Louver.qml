import QtQuick 2.15

// Codes 96, 97: blinds of count slats, horizontal or vertical.
EffectShader {
    id: effect
    property real count: 20
    vertexShader: Qt.resolvedUrl("../glsl/win/effect.vert")
    fragmentShader: Qt.resolvedUrl("../glsl/win/louver.frag")
}
