import QtQuick 2.15

// SunriseSunset in a narrow column (style 4).
SunriseSunset { form: "narrow" }
