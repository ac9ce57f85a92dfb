#include "weatherwidget.h"

#include "weathertext.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "logging/log.h"

#include <QQuickItem>

#include <limits>

namespace dorvo_preview {

WeatherWidget::WeatherWidget(Window* window, QObject* parentItem, QObject* parent)
    : WeatherFeedWidget(window, parentItem, "SIMPLE_WEATHER", 11, "WeatherWidget", parent)
{}

void WeatherWidget::addDefaults(nlohmann::json& m)
{
    ns::SimpleWeather defaults;
    defaults.language = "zh";
    defaults.temperatureUnit = "Celsius";
    defaults.isShowUnit = true;
    defaults.refreshPeriod = 30000;
    defaults.regular = "$w $c";
    defaults.effects = {{"animation", "NONE"},
                        {"speed", 60},
                        {"isHeadTail", false},
                        {"headTailSpacing", 0},
                        {"speedByPixelEnable", true}};
    defaults.textAttributes = {
        {"font", {{"family", {"DejaVu Sans"}}, {"style", "NORMAL"}, {"size", 24}, {"isUnderline", false}}},
        {"textColor", "#FFFFFFFF"}};
    // The creation content's keys win over the defaults; wrong-typed ones are
    // logged and dropped with the whole creation metadata.
    ns::from_json(m, defaults);
    nlohmann::json j;
    ns::to_json(j, defaults);
    m = j;
}

ns::SimpleWeather WeatherWidget::settings()
{
    ns::SimpleWeather s;
    ns::from_json(metadata(), s);
    return s;
}

WeatherQuery WeatherWidget::query()
{
    const ns::SimpleWeather s = settings();
    WeatherQuery q;
    q.city = QString::fromStdString(s.cityNewCode.empty() ? s.area.cityCode : s.cityNewCode);
    q.lang = QString::fromStdString(s.language);
    q.windType = QString::fromStdString(s.windType);
    q.unit = QString::fromStdString(s.windSpeedUnit);
    return q;
}

void WeatherWidget::commit(const ns::SimpleWeather& next)
{
    nlohmann::json j;
    ns::to_json(j, next);
    if (j == metadata()) {
        LOG_D("%s same value. no op", "WeatherWidget record");
        return;
    }
    metadata() = j;
    reconcile();
    LOG_D("WeatherWidget::updateWidget");
    updateWidget();
}

void WeatherWidget::reconcile()
{
    const ns::SimpleWeather s = settings();
    feed().setPeriod(WeatherText::fetchPeriod(s.refreshPeriod));
    feed().setQuery(query());
    lines_ = feed().hasAnswer() ? WeatherText::lines(s, feed().answer()) : WeatherText::placeholderLines(s);
}

void WeatherWidget::weatherChanged()
{
    const ns::SimpleWeather s = settings();
    showLines(feed().hasAnswer() ? WeatherText::lines(s, feed().answer()) : WeatherText::placeholderLines(s));
}

void WeatherWidget::showLines(const QStringList& lines)
{
    if (lines == lines_)
        return;
    lines_ = lines;
    pushToScene();
}

QString WeatherWidget::scrollRecord() const
{
    const ns::SimpleWeather s = const_cast<WeatherWidget*>(this)->settings();
    if (!s.isShowInOneLine)
        return QString();
    const nlohmann::json* animation = ns::jsonread::member(s.effects, "animation");
    if (!animation || !animation->is_string() || *animation == "NONE")
        return QString();
    QString text;
    for (const QString& line : lines_)
        text += line + ' ';
    double letterSpacing = 0;
    ns::jsonread::readNumber(s.textAttributes, "letterSpacing", letterSpacing);
    // A one-line scrolling text record for the text widget's scroll scene.
    nlohmann::json paragraph = {
        {"lines", {{{"segs", {{{"content", text.toStdString()}, {"attributeKey", "0"}}}}}}},
        {"lineSpacing", 0},
        {"letterSpacing", letterSpacing},
        {"horizontalAlignment", "LEFT"},
        {"verticalAlignment", "CENTER"},
        {"backgroundColor", "#00000000"}};
    nlohmann::json record = {
        {"id", uuid()},
        {"backgroundColor", "#00000000"},
        {"metadata",
         {{"textAntialiasing", s.textAntialiasing},
          {"content",
           {{"displayStyle", {{"type", "SCROLL"}, {"scrollAttributes", {{"effects", s.effects}}}}},
            {"paragraphs", {paragraph}},
            {"textAttributes", {{{"key", "0"}, {"attributes", s.textAttributes}}}},
            {"backgroundMusic", {{"isTextSync", false}, {"duration", 0}}}}}}}};
    return QString::fromStdString(ns::jsonread::dump(record));
}

void WeatherWidget::pushToScene()
{
    QQuickItem* scene = contentItem();
    if (!scene)
        return;
    scene->setProperty("scrollRecord", scrollRecord());
    scene->setProperty("lines", lines_);
}

void WeatherWidget::takeOver(const char* setter, const std::string& json)
{
    LOG_D("WeatherWidget::%s %.200s", setter, json.c_str());
    ns::SimpleWeather s = settings();
    if (ns::fromString(json, s))
        commit(s);
}

void WeatherWidget::setTemplate(const char* setter, const std::string& text)
{
    LOG_D("WeatherWidget::%s %.200s", setter, text.c_str());
    if (!ns::jsonread::isValidUtf8(text)) {
        LOG_E("WeatherWidget::%s refused, the template is not UTF-8 text", setter);
        return;
    }
    ns::SimpleWeather s = settings();
    s.regular = text;
    commit(s);
}

void WeatherWidget::setCity(std::string json)
{
    takeOver("setCity", json);
}

void WeatherWidget::setDisplayStyle(std::string json)
{
    takeOver("setDisplayStyle", json);
}

void WeatherWidget::setSharpened(int sharpened)
{
    LOG_D("WeatherWidget::setSharpened %d", sharpened);
    ns::SimpleWeather s = settings();
    s.textAntialiasing = sharpened != 0;
    commit(s);
}

void WeatherWidget::setDisplay(std::string text)
{
    setTemplate("setDisplay", text);
}

void WeatherWidget::setCustomContent(std::string text)
{
    setTemplate("setCustomContent", text);
}

void WeatherWidget::setTmpUnit(std::string unit)
{
    LOG_D("WeatherWidget::setTmpUnit %.100s", unit.c_str());
    ns::SimpleWeather s = settings();
    s.temperatureUnit = unit == "Celsius" ? "Celsius" : "Fahrenheit";
    commit(s);
}

void WeatherWidget::setTmpSymbol(std::string symbol)
{
    LOG_D("WeatherWidget::setTmpSymbol %.100s", symbol.c_str());
    ns::SimpleWeather s = settings();
    s.isShowUnit = symbol == "show";
    commit(s);
}

void WeatherWidget::setFontStyle(std::string json)
{
    LOG_D("WeatherWidget::setFontStyle %.200s", json.c_str());
    nlohmann::json attributes;
    if (!ns::jsonread::isValidUtf8(json)) {
        LOG_E("from_string: exception: %s. %.200s", "the text is not UTF-8",
              ns::jsonread::validUtf8(json).c_str());
        return;
    }
    if (!parseObject(json, attributes))
        return;
    const nlohmann::json* font = ns::jsonread::member(attributes, "font");
    const nlohmann::json* color = ns::jsonread::member(attributes, "textColor");
    const nlohmann::json* spacing = ns::jsonread::member(attributes, "letterSpacing");
    if ((font && !font->is_object()) || (color && !color->is_string()) ||
        (spacing && !spacing->is_number())) {
        LOG_E("from_string: exception: %s. %.200s", "a font record member has the wrong type", json.c_str());
        return;
    }
    ns::SimpleWeather s = settings();
    s.textAttributes = attributes;
    commit(s);
}

void WeatherWidget::setUpdateDuration(qint64 ms)
{
    LOG_D("WeatherWidget::setUpdateDuration %lld", static_cast<long long>(ms));
    ns::SimpleWeather s = settings();
    // Kept as 32 bits; anything beyond is out of the fetch period's bounds anyway.
    s.refreshPeriod = ms > std::numeric_limits<int>::max()   ? std::numeric_limits<int>::max()
                      : ms < std::numeric_limits<int>::min() ? std::numeric_limits<int>::min()
                                                             : static_cast<int>(ms);
    commit(s);
}

void WeatherWidget::setLanguage(std::string language)
{
    LOG_D("WeatherWidget::setLanguage %.100s", language.c_str());
    if (!ns::jsonread::isValidUtf8(language)) {
        LOG_E("WeatherWidget::setLanguage refused, the language is not UTF-8 text");
        return;
    }
    ns::SimpleWeather s = settings();
    s.language = language;
    commit(s);
}

void WeatherWidget::setBackground(std::string color)
{
    storeBackground(color);
}

} // namespace dorvo_preview
