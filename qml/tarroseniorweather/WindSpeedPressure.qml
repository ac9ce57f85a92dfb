import QtQuick 2.15
import "langResx.js" as Lang

PageList {
    property var panel: ({})
    property var labels: ({})
    title: labels.windSpeedPress || ""
    rows: [[labels.windDirection || "", panel.windDirection || "--"],
           [labels.windPower || "", Lang.windPower(labels, panel.windValue)],
           [labels.windSpeed || "", panel.windSpeed || "--"],
           [labels.airPress || "", panel.pressure || "--"]]
}
