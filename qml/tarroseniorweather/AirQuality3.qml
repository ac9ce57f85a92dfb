import QtQuick 2.15

// AirQuality in one row (style 3).
AirQuality { form: "row" }
