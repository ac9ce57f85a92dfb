import QtQuick 2.15
import com.kest.linePainter 1.0

// The selection frame of a widget: blue lines just outside its edges, white
// pills on the edges and white dots on the corners, drawn only while the
// widget is selected, over the move and resize areas. Decorations keep their
// size on screen at every zoom (borderScale).
ResizeMouseArea {
    id: dragFrame

    property real borderMarginTopBottomLR: 10
    property real heightTopBottom: 6
    property real widthLeftRight: 6
    property real radiusTopBottomLR: 6
    property real lineItemWidth: 1
    readonly property color lineColor: "#2682FF"
    readonly property color handleColor: "#FFFFFF"

    linePainter: painter

    LinePainter {
        id: painter
    }

    onChoosedChanged: {
        if (choosed) {
            console.log("resize mouse double clicked uuid is " + itemUuid)
            painter.setCurrentRect(itemUuid)
        }
    }

    function refreshRects() {
        painter.setCurrentRect(itemUuid)
    }

    function borderScale(percent) {
        if (!(percent > 0) || !isFinite(percent))
            return
        lineItemWidth = 1 / percent
        borderMarginTopBottomLR = 10 / percent
        heightTopBottom = 6 / percent
        widthLeftRight = 6 / percent
        areaMarginSize = 12 / percent
        radiusTopBottomLR = 6 / percent
    }

    // Drawn only for the selected widget.
    Loader {
        anchors.fill: parent
        z: 1
        active: dragFrame.choosed
        sourceComponent: decorationsComponent
    }

    Component {
        id: decorationsComponent

        Item {
            id: decorations
            anchors.fill: parent

            Rectangle {
                objectName: "lineTop"
                color: dragFrame.lineColor
                x: -dragFrame.lineItemWidth; y: -dragFrame.lineItemWidth
                width: parent.width + 2 * dragFrame.lineItemWidth; height: dragFrame.lineItemWidth
            }
            Rectangle {
                objectName: "lineBottom"
                color: dragFrame.lineColor
                x: -dragFrame.lineItemWidth; y: parent.height
                width: parent.width + 2 * dragFrame.lineItemWidth; height: dragFrame.lineItemWidth
            }
            Rectangle {
                objectName: "lineLeft"
                color: dragFrame.lineColor
                x: -dragFrame.lineItemWidth; y: 0
                width: dragFrame.lineItemWidth; height: parent.height
            }
            Rectangle {
                objectName: "lineRight"
                color: dragFrame.lineColor
                x: parent.width; y: 0
                width: dragFrame.lineItemWidth; height: parent.height
            }

            Item {
                anchors.fill: parent
                visible: dragFrame.handlesShown
                readonly property real push: dragFrame.borderMarginTopBottomLR / 5

                Rectangle {
                    objectName: "pillTop"
                    color: dragFrame.handleColor
                    width: 2 * dragFrame.borderMarginTopBottomLR; height: dragFrame.heightTopBottom
                    radius: dragFrame.radiusTopBottomLR
                    x: (parent.width - width) / 2; y: -height / 2 - parent.push
                }
                Rectangle {
                    objectName: "pillBottom"
                    color: dragFrame.handleColor
                    width: 2 * dragFrame.borderMarginTopBottomLR; height: dragFrame.heightTopBottom
                    radius: dragFrame.radiusTopBottomLR
                    x: (parent.width - width) / 2; y: parent.height - height / 2 + 2 * parent.push
                }
                Rectangle {
                    objectName: "pillLeft"
                    color: dragFrame.handleColor
                    width: dragFrame.widthLeftRight; height: 2 * dragFrame.borderMarginTopBottomLR
                    radius: dragFrame.radiusTopBottomLR
                    x: -width / 2 - parent.push; y: (parent.height - height) / 2
                }
                Rectangle {
                    objectName: "pillRight"
                    color: dragFrame.handleColor
                    width: dragFrame.widthLeftRight; height: 2 * dragFrame.borderMarginTopBottomLR
                    radius: dragFrame.radiusTopBottomLR
                    x: parent.width - width / 2 + 2 * parent.push; y: (parent.height - height) / 2
                }
                Repeater {
                    model: [Qt.point(0, 0), Qt.point(1, 0), Qt.point(0, 1), Qt.point(1, 1)]
                    Rectangle {
                        objectName: "cornerDot"
                        color: dragFrame.handleColor
                        width: dragFrame.areaMarginSize; height: width; radius: width / 2
                        x: modelData.x * decorations.width - width / 2
                        y: modelData.y * decorations.height - height / 2
                    }
                }
            }
        }
    }
}
