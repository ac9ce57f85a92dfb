import QtQuick 2.15

// Stands in for the page-switch effect selector in the text tests: the same
// interface, recording what the text asks of it.
Item {
    id: root

    property var inAnimation: ({ type: 0, duration: 1000 })
    property int effType: 0
    property int duration: 1000
    property var effectObj: null
    property var lastItem: null
    property int starts: 0
    property int stops: 0
    property int pauses: 0
    property int resumes: 0

    signal effectEnd()

    function startItemEffect(item) {
        lastItem = item
        ++starts
    }
    function startEffect(image) {
        lastItem = image
        ++starts
    }
    function pause() { ++pauses }
    function resume() { ++resumes }
    function stop() { ++stops }
    function getEffectObj() { return effectObj }
}
