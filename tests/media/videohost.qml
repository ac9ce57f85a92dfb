import QtQuick 2.15

// Hosts one video component the way the video widget does: play once it is
// prepared, and (with loop) start over when it reports the end.
Rectangle {
    id: root
    width: 640
    height: 480
    color: "#000000"

    property var video: null
    property bool loop: true
    property int preparedCount: 0
    property int startCount: 0
    property int finishedCount: 0
    property int errorCount: 0

    function load(json) {
        unload()
        preparedCount = 0
        startCount = 0
        finishedCount = 0
        errorCount = 0
        var component = Qt.createComponent("qrc:/preview/qml/video/mdkvideo.qml")
        if (component.status !== Component.Ready) {
            console.log("videohost: " + component.errorString())
            return
        }
        video = component.createObject(root, { widgetStr: json })
        video.baseMediaPrePared.connect(function(name) { root.preparedCount++ })
        video.baseMediaStart.connect(function(name) { root.startCount++; root.video.play() })
        video.baseMediaFinished.connect(function(name) {
            root.finishedCount++
            if (root.loop)
                root.video.restart()
        })
        video.baseMediaError.connect(function(name) { root.errorCount++ })
    }

    function unload() {
        if (video) {
            video.disconnectWindow()
            video.destroy()
            video = null
        }
    }
}
