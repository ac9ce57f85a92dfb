import QtQuick 2.15

PageList {
    property var panel: ({})
    property var labels: ({})
    readonly property var life: panel.life || ({})
    title: labels.lifeIndex || ""
    rows: [[labels.dressingIndex || "", life.drsg || "--"], [labels.exerciseIndex || "", life.sport || "--"],
           [labels.coldIndex || "", life.flu || "--"], [labels.carWashIndex || "", life.cw || "--"],
           [labels.tourismIndex || "", life.trav || "--"], [labels.comfortIndex || "", life.comf || "--"]]
}
