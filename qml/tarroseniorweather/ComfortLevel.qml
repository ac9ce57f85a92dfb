import QtQuick 2.15

PageList {
    property var panel: ({})
    property var labels: ({})
    title: labels.comfort || ""
    rows: [[labels.humidity || "", panel.humidity || "--"],
           [labels.bodyTemp || "", (panel.feelsLike || "--") + (panel.sign || "")],
           [labels.uvIndex || "", panel.uvIndex || "--"]]
}
