#include "timerwidget.h"

#include "clocktext.h"
#include "logging/log.h"
#include "private/widgetprivate.h"

namespace dorvo_preview {

TimerWidget::TimerWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "COUNT_TIMER", 18, "TimerWidget", parent)
{}

void TimerWidget::addDefaults(nlohmann::json& m)
{
    ns::CountTimer defaults;
    defaults.regularNew = "$d$H$m$s";
    defaults.units = {{"day", "days", "day", "days"},
                      {"hour", "hours", "hour", "hours"},
                      {"minute", "minutes", "minute", "minutes"},
                      {"second", "seconds", "second", "seconds"}};
    defaults.textAttributes = {
        {"font", {{"family", {"DejaVu Sans"}}, {"style", "NORMAL"}, {"size", 24}, {"isUnderline", false}}},
        {"textColor", "#FFFF0000"}};
    // The creation content's keys win over the defaults; wrong-typed ones are
    // logged and dropped with the whole creation metadata.
    ns::from_json(m, defaults);
    nlohmann::json j;
    ns::to_json(j, defaults);
    m = j;
}

ns::CountTimer TimerWidget::timer()
{
    ns::CountTimer t;
    ns::from_json(metadata(), t);
    return t;
}

void TimerWidget::commit(const ns::CountTimer& t)
{
    if (!ClockText::countTarget(t, nullptr))
        LOG_E("TimerWidget target date-time cannot be read, the count shows zeros: %.100s %.100s",
              t.DateTime.c_str(), t.TimeStr.c_str());
    nlohmann::json j;
    ns::to_json(j, t);
    if (j == metadata()) {
        LOG_D("%s same value. no op", "TimerWidget record");
        return;
    }
    metadata() = j;
    updateWidget();
}

void TimerWidget::setModel(int model)
{
    if (model != 0 && model != 1) {
        LOG_E("TimerWidget::setModel refused, %d is neither 0 (count down) nor 1 (count up)", model);
        return;
    }
    ns::CountTimer t = timer();
    t.countType = model == 0 ? "COUNT_DOWN" : "COUNT_UP";
    commit(t);
}

void TimerWidget::takeOver(const char* setter, const std::string& json)
{
    LOG_D("TimerWidget::%s %.200s", setter, json.c_str());
    ns::CountTimer t = timer();
    if (ns::fromString(json, t))
        commit(t);
}

void TimerWidget::setDataTimeStyle(std::string json)
{
    takeOver("setDataTimeStyle", json);
}

void TimerWidget::setDisplayStyle(std::string json)
{
    takeOver("setDisplayStyle", json);
}

void TimerWidget::setContent(std::string text)
{
    ns::CountTimer t = timer();
    t.solidText = text;
    commit(t);
}

void TimerWidget::setFontStyle(std::string json)
{
    nlohmann::json attributes;
    if (!parseObject(json, attributes))
        return;
    ns::CountTimer t = timer();
    t.textAttributes = attributes;
    commit(t);
}

void TimerWidget::setBackground(std::string color)
{
    setRecordBackground(color);
}

} // namespace dorvo_preview
