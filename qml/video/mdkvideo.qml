import QtQuick 2.15
import MDKTextureItem 1.0

// One video of a widget. The container sets widgetStr; the video is prepared
// from the record's dataSource, and the owner starts it on baseMediaStart.
Rectangle {
    id: root

    signal baseMediaPrePared(string name)
    signal baseMediaError(string name)
    signal baseMediaStart(string name)
    signal baseMediaFinished(string name)
    signal baseMediaShown(string name)

    property var widget: ({})
    property string widgetStr: ""
    property string url: ""
    property bool m_bIsPlayed: false
    property bool m_bIsErrored: false
    // The ratio the host chose. The playback device fills the widget's
    // rectangle whatever it is, and so does the preview.
    property string displayRatio: ""

    anchors.fill: parent

    function play() { videoItem.play() }
    function stop() { videoItem.stop() }
    function restart() { videoItem.play() }
    function pause() { videoItem.pause() }
    function resume() { videoItem.resume() }
    function disconnectWindow() { videoItem.disconnectWindow() }
    function prepared() { videoItem.prepared() }
    function setVisible(v) { root.visible = v }
    function setDisplayRatio(ratio) { root.displayRatio = ratio; return true }

    VideoTextureItem {
        id: videoItem
        anchors.fill: parent
        autoPlay: false
        autoHDR: false

        onFirstFrame: root.baseMediaShown("baseMediaShown id:" + root.objectName)

        onMediaStatusChanged: {
            if (mediaStatus === VideoTextureItem.Prepared) {
                if (!root.m_bIsPlayed) {
                    console.log("onMediaStatusChanged Prepared")
                    root.baseMediaPrePared("baseMediaPrePared id:" + root.objectName)
                    root.baseMediaStart("baseMediaStart id:" + root.objectName)
                    root.m_bIsPlayed = true
                }
            } else if (mediaStatus === VideoTextureItem.End) {
                console.log("onMediaStatusChanged End")
                root.baseMediaFinished("baseMediaStart id:" + root.objectName)
            } else if (mediaStatus === VideoTextureItem.Invalid) {
                console.log("onMediaStatusChanged Invalid")
                if (root.m_bIsErrored || root.m_bIsPlayed)
                    return
                root.m_bIsErrored = true
                root.baseMediaError("onError")
            }
        }
    }

    Component.onCompleted: {
        try {
            root.widget = JSON.parse(root.widgetStr)
        } catch (e) {
            console.log("mdkvideo: widget record is not JSON: " + e)
            root.widget = {}
        }
        if (root.widget === null || typeof root.widget !== "object")
            root.widget = {}
        if (typeof root.widget.backgroundColor === "string" && root.widget.backgroundColor !== "")
            root.color = root.widget.backgroundColor
        if (typeof root.widget.id === "string")
            root.objectName = root.widget.id
        if (typeof root.widget.displayRatio === "string")
            root.displayRatio = root.widget.displayRatio
        root.url = (typeof root.widget.dataSource === "string") ? root.widget.dataSource : ""
        videoItem.objectName = root.objectName + "video"
        console.log("dataSource:" + root.url)
        videoItem.source = root.url
    }
}
