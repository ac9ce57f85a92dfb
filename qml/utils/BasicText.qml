import QtQuick 2.15

// Plain text with the library's default font settings.
Text {
    color: "white"
    font.pixelSize: 14
    renderType: Text.QtRendering
    elide: Text.ElideRight
}
