import QtQuick 2.15

// AirQuality in a narrow column (style 4).
AirQuality { form: "narrow" }
