import QtQuick 2.15

// WindSpeedPressure in a narrow column (style 4).
WindSpeedPressure { form: "narrow" }
