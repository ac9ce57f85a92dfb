import QtQuick 2.15

// SunriseSunset in one row (style 3).
SunriseSunset { form: "row" }
