#include "widgetborder.h"

#include "core/src/widget.h"
#include "logging/log.h"
#include "private/widgetprivate.h"

#include <QColor>
#include <QFileInfo>
#include <QImageReader>

#include <nlohmann/json.hpp>

namespace dorvo_preview {

bool WidgetBorder::knownStyle(int style)
{
    return (style >= 0 && style <= 5) || style == 102;
}

std::string WidgetBorder::toJson() const
{
    const nlohmann::json j = {
        {"style", style},         {"width", width},
        {"backColor", backColor}, {"graColor", graColor},
        {"imagePath", imagePath}, {"effects", {{"speed", speed}, {"animation", animation}}}};
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The border setters of every widget.

void Widget::setBorderType(int type, std::string borderPath)
{
    LOG_D("Widget::setBorderType %d", type);
    if (!WidgetBorder::knownStyle(type)) {
        LOG_E("Widget::setBorderType error %d", type);
        return;
    }
    if (type == 102) {
        LOG_D("current border path is %s", borderPath.c_str());
        if (borderPath.empty() || QImageReader(QString::fromStdString(borderPath)).size().isEmpty()) {
            LOG_E("Widget::setBorderType error %d, the picture \"%s\" cannot be read", type,
                  borderPath.c_str());
            return;
        }
    } else if (type != 0) {
        LOG_D("not use border source %d", type);
    }
    WidgetBorder& border = widgetPrivate()->border;
    border.style = type;
    border.backColor = WidgetBorder::kDefaultBackColor;
    border.graColor = WidgetBorder::kDefaultGraColor;
    if (type == 0) {
        border.imagePath.clear();
        callItem("destroyBorder");
        return;
    }
    if (type == 102)
        border.imagePath = borderPath;
    border.width = WidgetBorder::kDefaultWidth;
    updateBorder();
}

void Widget::setBorderWidth(int width)
{
    if (width < 0 || width > WidgetBorder::kMaxWidth) {
        LOG_E("Widget::setBorderWidth error %d", width);
        return;
    }
    widgetPrivate()->border.width = width;
    updateBorder();
}

void Widget::setBorderBackColor(QString color)
{
    if (color.isEmpty() || !QColor(color).isValid()) {
        LOG_E("Widget::setBorderBackColor error %s", color.toUtf8().constData());
        return;
    }
    widgetPrivate()->border.backColor = color.toStdString();
    updateBorder();
}

void Widget::setBorderGraColor(QString color)
{
    if (color.isEmpty() || !QColor(color).isValid()) {
        LOG_E("Widget::setBorderGraColor error %s", color.toUtf8().constData());
        return;
    }
    widgetPrivate()->border.graColor = color.toStdString();
    updateBorder();
}

void Widget::setBorderSpeed(int speed)
{
    if (speed < 0 || speed > WidgetBorder::kMaxSpeed) {
        LOG_E("Widget::setBorderSpeed error %d", speed);
        return;
    }
    widgetPrivate()->border.speed = speed;
    updateBorder();
}

void Widget::setBorderDirection(int direction)
{
    widgetPrivate()->border.animation = direction == 0 ? "CLOCK_WISE" : "ANTI_CLOCK_WISE";
    updateBorder();
}

void Widget::updateBorder()
{
    const WidgetBorder& border = widgetPrivate()->border;
    if (!border.visible()) {
        // Width 0 or no style: nothing to draw.
        callItem("destroyBorder");
        return;
    }
    const std::string description = border.toJson();
    LOG_D("Widget::updateBorder %s", description.c_str());
    callItem("createBorder", {QString::fromStdString(description)});
}

} // namespace dorvo_preview
