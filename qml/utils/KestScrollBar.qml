import QtQuick 2.15
import QtQuick.Templates 2.15 as T

// A thin scroll bar with a rounded handle; shown only while the content does
// not fit (or always, with that policy).
T.ScrollBar {
    id: control

    property color handleNormalColor: "#383838"

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    padding: 1
    visible: control.policy !== T.ScrollBar.AlwaysOff && (control.policy === T.ScrollBar.AlwaysOn || control.size < 1.0)
    minimumSize: orientation === Qt.Horizontal ? height / width : width / height

    contentItem: Rectangle {
        implicitWidth: control.interactive ? 16 : 2
        implicitHeight: control.interactive ? 16 : 2
        radius: width / 2
        color: control.pressed ? Qt.darker(control.handleNormalColor, 1.3)
                               : control.hovered ? Qt.lighter(control.handleNormalColor, 1.3)
                                                 : control.handleNormalColor
        opacity: control.size < 1.0 ? 1.0 : 0.0
    }
}
