import QtQuick 2.15

PageList {
    property var panel: ({})
    property var labels: ({})
    title: labels.windSpeedPress || ""
    rows: [[labels.windDirection || "", panel.windDirection || "--"],
           [labels.windPower || "", String(labels.windPowerUnit || "{1}").replace("{1}", panel.windValue || "--")],
           [labels.windSpeed || "", panel.windSpeed || "--"],
           [labels.airPress || "", panel.pressure || "--"]]
}
