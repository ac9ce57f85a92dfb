#include "tarroanalogclockwidget.h"

#include "logging/log.h"

#include <QQuickItem>

namespace dorvo_preview {

namespace {

constexpr size_t kMaxLanguage = 16;

bool validLanguage(const std::string& language)
{
    if (language.empty() || language.size() > kMaxLanguage)
        return false;
    for (char c : language) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

TarroAnalogClockWidget::TarroAnalogClockWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "TARRO_ANALOG_CLOCK", 21, "TarroAnalogClockWidget", parent)
{}

QString TarroAnalogClockWidget::meridiem(const QString& language, int hour)
{
    const bool am = hour < 12;
    if (language == QLatin1String("zh"))
        return am ? QStringLiteral("上午") : QStringLiteral("下午");
    return am ? QStringLiteral("AM") : QStringLiteral("PM");
}

void TarroAnalogClockWidget::setLanguage(std::string language)
{
    LOG_D("TarroAnalogClockWidget::setLanguage %.40s", validLanguage(language) ? language.c_str() : "");
    if (!validLanguage(language)) {
        LOG_E("TarroAnalogClockWidget::setLanguage refused, not a language code (letters, digits, - or _, "
              "at most %zu): %zu bytes",
              kMaxLanguage, language.size());
        return;
    }
    if (language == language_) {
        LOG_D("%s same value. no op", language.c_str());
        return;
    }
    language_ = language;
    if (QQuickItem* scene = contentItem())
        sceneCreated(scene);
}

void TarroAnalogClockWidget::sceneCreated(QQuickItem* content)
{
    content->setProperty("language", QString::fromStdString(language_));
}

} // namespace dorvo_preview
