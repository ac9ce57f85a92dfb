import QtQuick 2.15

// Content shown by a widget whose own content cannot be built: a transparent
// item that fills its parent.
Item {
    anchors.fill: parent
}
