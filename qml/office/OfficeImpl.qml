import QtQuick 2.15

// One picture group scene: the picture list of the record shown page by page
// (OfficeSwitch, also the static type) or scrolling (OfficeScroll).
Item {
    id: impl

    property var record: null
    property var child: null
    // Page duration of a picture without a usable one, in milliseconds.
    readonly property int defaultDuration: 5000

    function number(v, fallback) {
        return typeof v === "number" && isFinite(v) ? v : fallback
    }

    function pictures(metadata) {
        var out = []
        var list = Array.isArray(metadata.pictureList) ? metadata.pictureList : []
        for (var i = 0; i < list.length; ++i) {
            var p = list[i] && typeof list[i] === "object" ? list[i] : {}
            var a = p.inAnimation && typeof p.inAnimation === "object" ? p.inAnimation : {}
            var duration = Math.round(number(p.duration, 0))
            out.push({
                url: typeof p.url === "string" ? p.url : "",
                duration: duration > 0 ? duration : defaultDuration,
                effectType: Math.max(0, Math.round(number(a.type, 0))),
                effectDuration: Math.max(0, Math.round(number(a.duration, 0)))
            })
        }
        return out
    }

    function build() {
        var r = record && typeof record === "object" ? record : {}
        var metadata = r.metadata && typeof r.metadata === "object" ? r.metadata : {}
        var list = pictures(metadata)
        if (list.length === 0) {
            console.log("office  source item = 0;id=" + r.id)
            return
        }
        if (metadata.type === "SCROLL") {
            var scroll = metadata.scrollAttributes && typeof metadata.scrollAttributes === "object"
                    ? metadata.scrollAttributes : {}
            var effects = scroll.effects && typeof scroll.effects === "object" ? scroll.effects : {}
            var speed = number(effects.speed, 60)
            child = scrollMaker.createObject(impl, {
                pictures: list,
                headerUrl: typeof metadata.headerUrl === "string" ? metadata.headerUrl : "",
                speed: speed >= 0 && speed <= 500 ? speed : 60
            })
        } else {
            child = switchMaker.createObject(impl, {
                pictures: list,
                staticType: metadata.type === "STATIC",
                fold: record.fold && typeof record.fold === "object" ? record.fold : null
            })
        }
        if (child)
            child.start()
    }

    function pause() {
        if (child)
            child.pause()
    }

    function resume() {
        if (child)
            child.resume()
    }

    Component {
        id: switchMaker
        OfficeSwitch {
            anchors.fill: parent
        }
    }

    Component {
        id: scrollMaker
        OfficeScroll {
            anchors.fill: parent
        }
    }

    Component.onCompleted: build()
}
