import QtQuick 2.15

// WeatherBaseInfo in a narrow column (style 4).
WeatherBaseInfo { form: "narrow" }
