#include "metadatawidget.h"

#include "core/src/enginehost.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/metainvoke.h"

#include <QColor>

#include <stdexcept>

namespace dorvo_preview {

MetadataWidget::MetadataWidget(Window* window, QObject* parentItem, const char* typeText, int mediaType,
                               const char* name, QObject* parent)
    : Widget(window, parentItem, parent), typeText_(typeText), mediaType_(mediaType), name_(name)
{}

MetadataWidget::~MetadataWidget()
{
    deleteQml();
}

void MetadataWidget::addDefaults(nlohmann::json&) {}

void MetadataWidget::contentCreated(QQuickItem*) {}

void MetadataWidget::fillMissing(nlohmann::json& m, const nlohmann::json& defaults)
{
    for (auto it = defaults.begin(); it != defaults.end(); ++it) {
        auto present = m.find(it.key());
        if (present == m.end() || (it.value().is_object() && !present->is_object()))
            m[it.key()] = it.value();
    }
}

void MetadataWidget::ensureRecord()
{
    ns::Widget& record = widgetPrivate()->record;
    if (!initialised_) {
        initialised_ = true;
        std::string reason;
        const std::string& creation = defaultContent();
        if (!creation.empty() && !ns::Widget::fromJson(creation, record, &reason))
            LOG_E("%s creation record is %s, using defaults", name_, reason.c_str());
        if (!record.metadata.is_object())
            record.metadata = nlohmann::json::object();
        addDefaults(record.metadata);
    }
    record.id = uuid();
    record.type = typeText_;
}

nlohmann::json& MetadataWidget::metadata()
{
    ensureRecord();
    return widgetPrivate()->record.metadata;
}

std::string MetadataWidget::recordJson() const
{
    const_cast<MetadataWidget*>(this)->ensureRecord();
    return widgetPrivate()->record.toJson();
}

bool MetadataWidget::store(const char* key, const nlohmann::json& value)
{
    nlohmann::json& m = metadata();
    auto it = m.find(key);
    if (it != m.end() && *it == value) {
        LOG_D("%s same value. no op",
              value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
        return false;
    }
    m[key] = value;
    return true;
}

bool MetadataWidget::parseObject(const std::string& text, nlohmann::json& out)
{
    try {
        nlohmann::json j = nlohmann::json::parse(text);
        if (!j.is_object())
            throw std::invalid_argument("not a JSON object");
        out = std::move(j);
        return true;
    } catch (const std::exception& e) {
        LOG_E("from_string: exception: %s. %.200s", e.what(), text.c_str());
        return false;
    }
}

bool MetadataWidget::validColor(const std::string& color)
{
    return !color.empty() && QColor::isValidColor(QString::fromStdString(color));
}

void MetadataWidget::setRecordBackground(const std::string& color)
{
    if (!validColor(color)) {
        LOG_E("%s::setBackground error %.100s", name_, color.c_str());
        return;
    }
    ensureRecord(); // the record is read before it is changed
    std::string& current = widgetPrivate()->record.backgroundColor;
    if (current == color) {
        LOG_D("%s same value. no op", color.c_str());
        return;
    }
    current = color;
    LOG_D("%s::updateWidget", name_);
    updateWidget();
}

void MetadataWidget::setSource(std::string source)
{
    ensureRecord();
    ns::Widget record = widgetPrivate()->record;
    std::string reason;
    if (!ns::Widget::fromJson(source, record, &reason)) {
        LOG_E("%s::setSource refused, the record %s: %.200s", name_, reason.c_str(), source.c_str());
        return;
    }
    // The kind's missing settings come from its defaults again.
    if (!record.metadata.is_object())
        record.metadata = nlohmann::json::object();
    addDefaults(record.metadata);
    widgetPrivate()->record = std::move(record);
    updateWidget();
}

void MetadataWidget::updateWidget()
{
    LOG_D("widget init %s", uuid());
    if (!shown_)
        return;
    if (qml_)
        keepBackground();
    deleteQml();
    const std::string json = recordJson();
    qml_ = qobject_cast<QQuickItem*>(createChildItem(item(), QString::fromStdString(json)));
    if (!qml_) {
        LOG_E("%s::updateWidget content could not be created", name_);
        return;
    }
    contentCreated(qml_);
    onItemStarted(QString());
    if (EngineHost::instance()->forcePaused())
        callQml("pause");
}

void MetadataWidget::deleteQml()
{
    if (!qml_)
        return;
    LOG_D("delete obj typeid *item:%s, name:%s", qml_->metaObject()->className(),
          qml_->objectName().toUtf8().constData());
    qml_->setVisible(false);
    qml_->deleteLater();
    qml_ = nullptr;
}

void MetadataWidget::callQml(const char* function)
{
    if (qml_)
        invokeIfPresent(qml_, function, {});
}

void MetadataWidget::widgetShow()
{
    LOG_D("%s::widgetShow", name_);
    shown_ = true;
    if (!qml_)
        updateWidget();
}

void MetadataWidget::widgetHide()
{
    LOG_D("%s::widgetHide", name_);
    shown_ = false;
    deleteQml();
}

void MetadataWidget::pause()
{
    Widget::pause();
    callQml("pause");
}

void MetadataWidget::resume()
{
    if (EngineHost::instance()->forcePaused()) {
        LOG_D("force pause widget");
        return;
    }
    Widget::resume();
    callQml("resume");
}

void MetadataWidget::clearQmlObj()
{
    LOG_D("%s::clearQmlObj", name_);
    deleteQml();
}

void MetadataWidget::attachToItem(QObject* target)
{
    auto* parentItem = qobject_cast<QQuickItem*>(target);
    if (!qml_ || !parentItem) {
        LOG_E("%s::attachToItem nothing to move", name_);
        return;
    }
    QQuickItem* old = qml_->parentItem();
    qml_->setParentItem(parentItem);
    if (old && old != parentItem)
        old->setVisible(false);
}

} // namespace dorvo_preview
