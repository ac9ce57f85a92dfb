import QtQuick 2.15

// WeatherBaseInfo in one row (style 3).
WeatherBaseInfo { form: "row" }
