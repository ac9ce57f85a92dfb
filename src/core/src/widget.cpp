#include "widget.h"

#include "core/src/enginehost.h"
#include "core/src/window.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/metainvoke.h"

#include <QMetaObject>
#include <QQuickItem>
#include <QVariant>

#include <cmath>
#include <cstdio>

namespace dorvo_preview {

namespace {

// No canvas is larger than this; values beyond it are mistakes of the caller.
constexpr double kMaxCoordinate = 1000000.0;

const char* const kItemSignals[8][2] = {
    {SIGNAL(itemSelected(QString, bool)), SLOT(onItemSelected(QString, bool))},
    {SIGNAL(itemPressed()), SLOT(onItemPressed())},
    {SIGNAL(itemReleased(double, double)), SLOT(onItemReleased(double, double))},
    {SIGNAL(itemXChanged(double)), SLOT(onItemXChanged(double))},
    {SIGNAL(itemYChanged(double)), SLOT(onItemYChanged(double))},
    {SIGNAL(itemWidthChanged(double)), SLOT(onItemWidthChanged(double))},
    {SIGNAL(itemHeightChanged(double)), SLOT(onItemHeightChanged(double))},
    {SIGNAL(itemDoubleClicked()), SLOT(onItemDoubleClicked())},
};

} // namespace

Widget::Widget(Window* window, QObject* parentItem, QObject* parent)
    : QmlBaseView(parent), d(std::make_shared<WidgetPrivate>())
{
    if (parentItem) {
        // A widget shown inside a container draws into the container's item.
        setItem(parentItem, true);
        return;
    }
    if (!window) {
        LOG_E("Widget has no window, no item is created");
        return;
    }
    d->record.id = createUuid();
    QObject* created = createChildItem(window->rootItem(), QString::fromStdString(d->record.toJson()));
    if (!created) {
        LOG_E("Widget item could not be created");
        return;
    }
    setItem(created, false);
    connectItem(created);
    // The rectangle starts as the item is; later changes arrive as reports.
    d->rect.x = created->property("x").toDouble();
    d->rect.y = created->property("y").toDouble();
    d->rect.width = created->property("width").toDouble();
    d->rect.height = created->property("height").toDouble();
    LOG_I("Widget is created, id: %s", d->record.id.c_str());
}

Widget::~Widget()
{
    const std::string id = uuid();
    if (!id.empty())
        EngineHost::instance()->removeWidget(id, this);
    QObject* own = item();
    if (own && !itemBorrowed())
        own->deleteLater();
}

void Widget::connectItem(QObject* item)
{
    if (!item)
        return;
    for (const auto& pair : kItemSignals)
        connect(item, pair[0], this, pair[1]);
}

void Widget::disconnectItem(QObject* item)
{
    if (!item)
        return;
    for (const auto& pair : kItemSignals)
        disconnect(item, pair[0], this, pair[1]);
}

bool Widget::callItem(const char* function, const QVariantList& args) const
{
    QObject* target = item();
    if (!target)
        return false;
    QVariant result;
    switch (args.size()) {
    case 0:
        return QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result));
    case 1:
        return QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result),
                                         Q_ARG(QVariant, args[0]));
    default:
        return QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result),
                                         Q_ARG(QVariant, args[0]), Q_ARG(QVariant, args[1]));
    }
}

void Widget::widgetShow()
{
    LOG_E("Widget::widgetShow error please overwrite");
}

void Widget::widgetHide()
{
    LOG_E("Widget::widgetHide error please overwrite");
}

void Widget::pause()
{
    LOG_D("Widget::pause");
    callItem("pauseMusic");
}

void Widget::resume()
{
    LOG_D("Widget::resume");
    callItem("resumeMusic");
}

void Widget::clearQmlObj()
{
    LOG_E("Widget::clearQmlObj error please overwrite");
}

int Widget::type() const
{
    return -1;
}

void Widget::attachToItem(QObject*) {}

void Widget::moveContent(QObject* content, QObject* target, const char* who)
{
    auto* scene = qobject_cast<QQuickItem*>(content);
    auto* parentItem = qobject_cast<QQuickItem*>(target);
    if (!scene || !parentItem) {
        LOG_E("%s::attachToItem nothing to move", who);
        return;
    }
    QQuickItem* old = scene->parentItem();
    scene->setParentItem(parentItem);
    invokeIfPresent(parentItem, "setSelectedRectZIndex", {QVariant(static_cast<double>(scene->z()))});
    if (old && old != parentItem)
        old->setVisible(false);
}

void Widget::setDefaultContent(std::string content)
{
    LOG_D("Widget::setDefaultContent %s", content.c_str());
    defaultContent_ = std::move(content);
}

int Widget::interval() const
{
    return d->interval;
}

bool Widget::pressed() const
{
    return d->pressed;
}

QString Widget::musicInfo() const
{
    return d->musicInfo;
}

void Widget::keepBackground()
{
    LOG_D("Widget::keepBackground");
    callItem("startAntiBlack");
}

Window* Widget::getAttachWindow() const
{
    QObject* attached = EngineHost::instance()->getAttachWindow();
    if (!attached) {
        LOG_E("context is nullptr");
        return nullptr;
    }
    return qobject_cast<Window*>(attached);
}

void Widget::addRect2Window(bool clearLines)
{
    Window* window = qobject_cast<Window*>(EngineHost::instance()->getAttachWindow());
    if (!window) {
        LOG_E("window is nullptr");
        return;
    }
    if (clearLines)
        window->clearLine();
    if (itemBorrowed())
        return;
    if (d->rect.id.empty())
        d->rect.id = uuid();
    window->addRect(d->rect);
}

void Widget::updateRect()
{
    d->rect.id = uuid();
    d->rect.drag = d->pressed;
    char json[512];
    std::snprintf(json, sizeof json, "{\"id\":\"%s\",\"drag\":%s,\"w\":%f,\"h\":%f,\"x\":%f,\"y\":%f}",
                  uuid(), d->pressed ? "true" : "false", d->rect.width, d->rect.height, d->rect.x, d->rect.y);
    updateRectInfo(QString::fromUtf8(json));
}

void Widget::onItemSelected(QString widgetType, bool sendState)
{
    if (widgetType.isEmpty()) {
        updateSelectedInfo(QString());
        return;
    }
    if (sendState)
        updateSelectedInfo(QString::fromUtf8(uuid()));
}

void Widget::onItemPressed()
{
    LOG_D("Widget::onItemPressed %s", uuid());
    d->pressed = true;
}

void Widget::onItemReleased(double x, double y)
{
    d->rect.x = x;
    d->rect.y = y;
    if (d->pressed) {
        d->pressed = false;
        updateRect();
    }
    addRect2Window(true);
}

// Every reported change also refreshes the window's registry, so that the
// other widgets snap to where this one really is (also right after its
// content set the first layout).
void Widget::storeReported(double ns::ItemRectData::*member, double value)
{
    d->rect.*member = value;
    updateRect();
    addRect2Window(false);
}

void Widget::onItemXChanged(double x)
{
    storeReported(&ns::ItemRectData::x, x);
}

void Widget::onItemYChanged(double y)
{
    storeReported(&ns::ItemRectData::y, y);
}

void Widget::onItemWidthChanged(double width)
{
    storeReported(&ns::ItemRectData::width, width);
}

void Widget::onItemHeightChanged(double height)
{
    storeReported(&ns::ItemRectData::height, height);
}

void Widget::onItemDoubleClicked()
{
    d->pressed = false;
    updataDoubleClicked(QString::fromUtf8(uuid()));
}

void Widget::onItemStarted(QString)
{
    LOG_D("Widget::onItemStarted");
    callItem("stopAntiBlack");
}

void Widget::setGeometry(const char* property, float value, double ns::ItemRectData::*member)
{
    QObject* target = item();
    if (!target || d->pressed)
        return;
    const bool size = member == &ns::ItemRectData::width || member == &ns::ItemRectData::height;
    if (!std::isfinite(value) || value < 0.0f || value > kMaxCoordinate) {
        LOG_E("Widget::%s invalid value %f, %s", size ? "setSize" : "setPosition", static_cast<double>(value),
              property);
        return;
    }
    target->setProperty(property, static_cast<double>(value));
    d->rect.*member = value;
    addRect2Window(false);
}

void Widget::setX(float x)
{
    setGeometry("x", x, &ns::ItemRectData::x);
}

void Widget::setY(float y)
{
    setGeometry("y", y, &ns::ItemRectData::y);
}

void Widget::setWidth(float width)
{
    setGeometry("width", width, &ns::ItemRectData::width);
}

void Widget::setHeight(float height)
{
    setGeometry("height", height, &ns::ItemRectData::height);
}

void Widget::setZ(float z)
{
    if (QObject* target = item())
        target->setProperty("z", static_cast<double>(z));
}

void Widget::setSelect(bool select, bool notify)
{
    if (notify && select) {
        callItem("widgetContainerClicked", {false});
        return;
    }
    callItem("selectWidgetBorder", {select});
}

void Widget::setInterval(int interval)
{
    if (type() == 1) {
        d->interval = interval + 4;
        LOG_D("video add 4 second: %d", d->interval);
        return;
    }
    d->interval = interval;
}

void Widget::setBackMusic(QString info)
{
    LOG_D("Widget::setBackMusic %s", info.toUtf8().constData());
    if (info.isEmpty()) {
        LOG_D("Widget::setBackMusic close music");
        callItem("destroyMusic");
    }
    d->musicInfo = info;
}

void Widget::setBackMusicDuration(int duration)
{
    LOG_D("Widget::setBackMusicDuration %d", duration);
    if (duration < 1 || d->musicInfo.isEmpty()) {
        LOG_E("Widget::setBackMusicDuration error duration: %d, music info is %s", duration,
              d->musicInfo.toUtf8().constData());
        return;
    }
    if (EngineHost::instance()->forcePaused()) {
        LOG_I("Widget::setBackMusicDuration pause force state, do not create music");
        return;
    }
    callItem("createMusic", {d->musicInfo, duration});
}

void Widget::setWidgetContainerPreview(bool running)
{
    LOG_D("Widget::setWidgetContainerPreview %d", running ? 1 : 0);
    containerPreview_ = running;
}

void Widget::setEmptyContainerText(QString text)
{
    if (text.isEmpty()) {
        LOG_E("Widget::setEmptyContainerText error");
        return;
    }
    LOG_D("Widget::setEmptyContainerText %s", text.toUtf8().constData());
    callItem("setEmptyInfoText", {text});
}

void Widget::setEmptyContainerPixelSize(int size)
{
    if (size < 1 || size > kMaxEmptyPixelSize) {
        LOG_E("Widget::setEmptyContainerPixelSize error %d", size);
        return;
    }
    callItem("setEmptyInfoPixelSize", {size});
}

void Widget::setEmptyTextVisible(bool visible)
{
    callItem("setEmptyInfoVisible", {visible});
}

void Widget::setBorderScale(int percent)
{
    if (itemBorrowed())
        return;
    if (percent < 1) {
        LOG_E("Widget::setBorderScale invalid percent %d", percent);
        return;
    }
    const float factor = 1.0f / (static_cast<float>(percent) / 100.0f);
    callItem("borderScale", {static_cast<double>(factor)});
}

void Widget::setDragEnable(bool enable)
{
    LOG_D("Widget::setDragEnable");
    callItem("setDragEnable", {enable});
}

void Widget::addWidget(Widget* widget)
{
    if (!widget || widget == this)
        return;
    widget->attachToItem(item());
}

} // namespace dorvo_preview
