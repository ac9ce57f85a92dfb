#include "tablewidget.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"
#include "tableplan.h"

#include <QQuickItem>

namespace dorvo_preview {

TableWidget::TableWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "TABLE", 19, "TableWidget", parent)
{}

void TableWidget::prepareMetadata(nlohmann::json& m)
{
    // A record without usable table content shows the default table.
    if (!m.is_string() || !ns::jsonread::parse(m.get<std::string>()).is_object())
        m = TablePlan::defaultContent();
}

std::string TableWidget::content()
{
    return metadata().get<std::string>();
}

void TableWidget::setSource(std::string source)
{
    std::string reason;
    const nlohmann::json parsed = ns::jsonread::parse(source, &reason);
    if (parsed.is_discarded() || !parsed.is_object() || !ns::member(parsed, "content") ||
        !parsed["content"].is_object()) {
        if (reason.empty())
            reason = "has no \"content\" object";
        LOG_E("TableWidget::setSource refused, the table %s: %.200s", reason.c_str(), source.c_str());
        return;
    }
    // Kept as the host wrote it (repaired to UTF-8).
    nlohmann::json& m = metadata();
    const std::string text = ns::jsonread::validUtf8(source);
    if (m == text) {
        LOG_D("%s same value. no op", "TableWidget source");
        return;
    }
    m = text;
    updateWidget();
}

void TableWidget::setBackground(std::string color)
{
    storeBackground(color);
}

void TableWidget::sceneCreated(QQuickItem* scene)
{
    const TablePlan plan = TablePlan::read(ns::jsonread::parse(content()));
    scene->setProperty("plan", plan.toVariant());
}

} // namespace dorvo_preview
