import QtQuick 2.15

// WindSpeedPressure in one row (style 3).
WindSpeedPressure { form: "row" }
