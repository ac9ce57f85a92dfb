import QtQuick 2.15
import QtGraphicalEffects 1.0
import "../js/jcolorfulTextfun.js" as CF

// A picture stretched over the item, shown only where the mask (the text
// layer) has ink.
Item {
    id: root

    property string path: ""
    property var maskSource: null

    Image {
        id: picture
        anchors.fill: parent
        source: CF.textureUrl(root.path)
        fillMode: Image.Stretch
        asynchronous: false
        visible: false
        onStatusChanged: if (status === Image.Error) console.log("[ColorText] texture cannot be read: " + root.path)
    }

    OpacityMask {
        anchors.fill: parent
        source: picture
        maskSource: root.maskSource
    }
}
