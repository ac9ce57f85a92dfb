.pragma library

// The weather panels' labels by language (the base panel uses tempRange,
// windPowerUnit and currentHumidity); "{1}" in windPowerUnit stands for the
// wind value.
var LOCALE = {
    "zh": {
        tempRange: "温度范围", currentHumidity: "当前湿度",
        airQuality: "空气质量", airIndex: "空气指数", pollution: "污染物", comfort: "舒适度", humidity: "湿度",
        bodyTemp: "体感温度", uvIndex: "紫外线指数", windSpeedPress: "风速气压", windDirection: "风向",
        windPower: "风力", windPowerUnit: "{1}级", windSpeed: "风速", airPress: "气压", morning: "日出",
        night: "日落", sunriseSet: "日出日落", lifeIndex: "生活指数", dressingIndex: "穿衣指数",
        exerciseIndex: "运动指数", coldIndex: "感冒指数", carWashIndex: "洗车指数", tourismIndex: "旅游指数",
        comfortIndex: "舒适度指数"
    },
    "en": {
        tempRange: "Temp", currentHumidity: "Humidity",
        airQuality: "Air Quality", airIndex: "AQI", pollution: "Pollutants", comfort: "Comfort", humidity: "Humidity",
        bodyTemp: "Feels like", uvIndex: "UV Index", windSpeedPress: "Wind & Pressure", windDirection: "Direction",
        windPower: "Wind", windPowerUnit: "Scale {1}", windSpeed: "Speed", airPress: "Pressure", morning: "Sunrise",
        night: "Sunset", sunriseSet: "Sunrise & Sunset", lifeIndex: "Lifestyle", dressingIndex: "Dressing",
        exerciseIndex: "Exercise", coldIndex: "Cold risk", carWashIndex: "Car wash", tourismIndex: "Travel",
        comfortIndex: "Comfort"
    },
    "ja": {
        tempRange: "気温範囲", currentHumidity: "現在の湿度",
        airQuality: "空気質", airIndex: "AQI", pollution: "汚染物質", comfort: "快適さ", humidity: "湿度",
        bodyTemp: "体感温度", uvIndex: "UV指数", windSpeedPress: "風速と気圧", windDirection: "風向",
        windPower: "風力", windPowerUnit: "風力{1}", windSpeed: "風速", airPress: "気圧", morning: "日の出",
        night: "日の入り", sunriseSet: "日の出と日の入り", lifeIndex: "生活指数", dressingIndex: "服装指数",
        exerciseIndex: "運動指数", coldIndex: "風邪指数", carWashIndex: "洗車指数", tourismIndex: "旅行指数",
        comfortIndex: "快適指数"
    },
    "fr": {
        tempRange: "Écart température", currentHumidity: "Humidité",
        airQuality: "Qualité de l'air", airIndex: "IQA", pollution: "Polluants", comfort: "Confort", humidity: "Humidité",
        bodyTemp: "Ressenti", uvIndex: "Indice UV", windSpeedPress: "Vent et pression", windDirection: "Direction",
        windPower: "Vent", windPowerUnit: "Niveau {1}", windSpeed: "Vitesse", airPress: "Pression", morning: "Lever",
        night: "Coucher", sunriseSet: "Lever et coucher", lifeIndex: "Indices de vie", dressingIndex: "Habillement",
        exerciseIndex: "Sport", coldIndex: "Rhume", carWashIndex: "Lavage auto", tourismIndex: "Voyage",
        comfortIndex: "Confort"
    },
    "es": {
        tempRange: "Rango Temperatura", currentHumidity: "Humedad",
        airQuality: "Calidad del aire", airIndex: "ICA", pollution: "Contaminantes", comfort: "Confort", humidity: "Humedad",
        bodyTemp: "Sensación", uvIndex: "Índice UV", windSpeedPress: "Viento y presión", windDirection: "Dirección",
        windPower: "Viento", windPowerUnit: "Nivel {1}", windSpeed: "Velocidad", airPress: "Presión", morning: "Amanecer",
        night: "Atardecer", sunriseSet: "Amanecer y atardecer", lifeIndex: "Índices de vida", dressingIndex: "Vestimenta",
        exerciseIndex: "Ejercicio", coldIndex: "Resfriado", carWashIndex: "Lavado de coche", tourismIndex: "Turismo",
        comfortIndex: "Confort"
    },
    "pt": {
        tempRange: "Temp", currentHumidity: "Umidade",
        airQuality: "Qualidade do ar", airIndex: "IQA", pollution: "Poluentes", comfort: "Conforto", humidity: "Umidade",
        bodyTemp: "Sensação", uvIndex: "Índice UV", windSpeedPress: "Vento e pressão", windDirection: "Direção",
        windPower: "Vento", windPowerUnit: "Grau {1}", windSpeed: "Velocidade", airPress: "Pressão", morning: "Nascer",
        night: "Pôr do sol", sunriseSet: "Nascer e pôr do sol", lifeIndex: "Índices de vida", dressingIndex: "Vestuário",
        exerciseIndex: "Exercício", coldIndex: "Resfriado", carWashIndex: "Lavagem", tourismIndex: "Turismo",
        comfortIndex: "Conforto"
    }
}

function labels(lang) {
    return LOCALE[lang] || LOCALE["zh"]
}

// The wind power text: windPowerUnit with "{1}" replaced by the value.
function windPower(labels, value) {
    return String(labels.windPowerUnit || "{1}").replace("{1}", value || "--")
}
