#include "widgetcontainer.h"

#include "core/src/enginehost.h"
#include "logging/log.h"
#include "private/widgetcontainerprivate.h"
#include "private/widgetprivate.h"

#include <QTimer>

namespace dorvo_preview {

WidgetContainer::WidgetContainer(Window* window, QObject*, QObject* parent)
    : Widget(window, nullptr, parent), p(std::make_unique<WidgetContainerPrivate>(this))
{
    setEmptyTextVisible(true);
    callItem("setWidgetContainerState", {true});
}

WidgetContainer::~WidgetContainer()
{
    // The members outlive the container as ordinary registered widgets;
    // they no longer report to it.
    for (auto& entry : p->members) {
        if (entry.second)
            disconnect(entry.second.data(), nullptr, p.get(), nullptr);
    }
}

const char* WidgetContainer::identity() const
{
    return p->name.c_str();
}

void WidgetContainer::widgetShow()
{
    // An engine-wide restart shows every widget, members included; once it
    // is over, only the current member keeps its content.
    QTimer::singleShot(0, this, [this] { hideAllButCurrent(); });
}

void WidgetContainer::widgetHide() {}

void WidgetContainer::hideAllButCurrent()
{
    QObject* own = item();
    for (QObject* object : EngineHost::instance()->widgets()) {
        auto* widget = qobject_cast<Widget*>(object);
        if (widget && widget != this && widget->item() == own && widget != p->current.data())
            widget->widgetHide();
    }
}

void WidgetContainer::pause()
{
    LOG_D("WidgetContainer::pause");
    p->pauseTimer();
}

void WidgetContainer::resume()
{
    LOG_D("WidgetContainer::resume");
    p->resumeTimer();
}

void WidgetContainer::setDefaultContent(std::string content)
{
    LOG_D("WidgetContainer::setDefaultContent %s", content.c_str());
    ns::Widget& record = p->record;
    std::string reason;
    if (!content.empty() && !ns::Widget::fromJson(content, record, &reason))
        LOG_E("WidgetContainer::setDefaultContent record is %s, using defaults", reason.c_str());
    record.type = "WIDGETCONTAINER";
    setX(static_cast<float>(record.layout.x));
    setY(static_cast<float>(record.layout.y));
    setWidth(static_cast<float>(record.layout.width));
    setHeight(static_cast<float>(record.layout.height));
    setZ(static_cast<float>(record.zOrder));
    auto text = record.metadata.find("emptyText");
    if (text != record.metadata.end() && text->is_string())
        setEmptyContainerText(QString::fromStdString(text->get<std::string>()));
    auto size = record.metadata.find("emptyPixelSize");
    if (size != record.metadata.end() && size->is_number_integer()) {
        const long long value = size->get<long long>();
        if (value >= 0 && value <= kMaxEmptyPixelSize) {
            p->emptyPixelSize = static_cast<int>(value);
            setEmptyContainerPixelSize(p->emptyPixelSize);
        } else {
            LOG_E("WidgetContainer::setDefaultContent pixel size %lld refused", value);
        }
    }
}

void WidgetContainer::startPreview()
{
    LOG_D("WidgetContainer::startPreview");
    if (p->ids.size() == 1) {
        Widget* only = p->member(p->ids.front());
        if (only && only->type() == 1) {
            LOG_I("this widget is video and widgets count is 1");
            return;
        }
    }
    if (p->previewing) {
        LOG_I("this modele is preview");
        return;
    }
    p->previewing = true;
    if (!p->enabled) {
        LOG_I("widgetContainer is disable");
        return;
    }
    if (p->previewWidget(0) == 0)
        p->startTimer();
    else
        p->previewing = false;
}

void WidgetContainer::stopPreview()
{
    LOG_D("WidgetContainer::stopPreview");
    p->previewing = false;
    p->stopTimer();
    // A video on screen loops again instead of waiting for the next member.
    if (p->current)
        p->current->setWidgetContainerPreview(false);
}

void WidgetContainer::switchWidget(std::string id)
{
    LOG_D("WidgetContainer::switchWidget id %s", id.c_str());
    if (!p->previewing && p->current && id == p->current->uuid()) {
        LOG_I("current widget is same as id %s", id.c_str());
        return;
    }
    const int i = p->findMember(id);
    if (i < 0)
        return;
    stopPreview();
    p->previewWidget(i);
}

void WidgetContainer::widgetUp(std::string id)
{
    LOG_D("WidgetContainer::widgetUp id %s", id.c_str());
    moveMember(id, -1);
}

void WidgetContainer::widgetDown(std::string id)
{
    LOG_D("WidgetContainer::widgetDown id %s", id.c_str());
    moveMember(id, 1);
}

void WidgetContainer::moveMember(const std::string& id, int step)
{
    const int i = p->findMember(id);
    if (i < 0)
        return;
    stopPreview();
    const int to = i + step;
    if (to < 0) {
        LOG_I("this id is top %s", id.c_str());
        return;
    }
    if (to >= static_cast<int>(p->ids.size())) {
        LOG_I("this id is bottom %s", id.c_str());
        return;
    }
    std::swap(p->ids[static_cast<size_t>(i)], p->ids[static_cast<size_t>(to)]);
    p->followCurrent();
}

void WidgetContainer::widgetIndexChange(std::string id, int index)
{
    LOG_D("WidgetContainer::widgetIndexChange id %s index is %d", id.c_str(), index);
    const int i = p->findMember(id);
    if (i < 0)
        return;
    if (index < 0 || index > static_cast<int>(p->ids.size()) - 1) {
        LOG_E("can not insert error index %d", index);
        return;
    }
    p->ids.erase(p->ids.begin() + i);
    p->ids.insert(p->ids.begin() + index, id);
    p->followCurrent();
    stopPreview();
    startPreview();
}

void WidgetContainer::insertWidget(Widget* widget)
{
    if (!widget || widget == this) {
        LOG_E("WidgetContainer::insertWidget no widget");
        return;
    }
    const std::string id = widget->uuid();
    if (p->indexOf(id) >= 0) {
        LOG_E("WidgetContainer::insertWidget %s is a member already", id.c_str());
        return;
    }
    if (p->ids.empty())
        setEmptyTextVisible(false);
    connect(widget, &Widget::widgetPlayFinish, p.get(), &WidgetContainerPrivate::whenPlayFinish,
            Qt::UniqueConnection);
    p->ids.push_back(id);
    p->members[id] = widget;
    if (!p->enabled) {
        LOG_I("widgetContainer is disable");
        return;
    }
    if (p->previewing) {
        LOG_I("current is preview");
        widget->widgetHide();
        return;
    }
    LOG_I("current is not preview widget id is %s", id.c_str());
    p->previewLastWidget();
}

void WidgetContainer::removeWidget(std::string id)
{
    LOG_D("WidgetContainer::removeWidget id %s", id.c_str());
    const int i = p->findMember(id);
    if (i < 0)
        return;
    const bool wasPreviewing = p->previewing;
    stopPreview();
    Widget* widget = p->member(id);
    if (widget)
        disconnect(widget, &Widget::widgetPlayFinish, p.get(), &WidgetContainerPrivate::whenPlayFinish);
    p->ids.erase(p->ids.begin() + i);
    p->members.erase(id);
    if (p->ids.empty())
        setEmptyTextVisible(true);
    LOG_D("remove widget index %d current index is %d", i, p->index);
    if (widget ? widget == p->current.data() : i == p->index) {
        LOG_I("current widget is nullptr");
        // Its content goes with it.
        if (widget)
            widget->widgetHide();
        p->current = nullptr;
    }
    p->followCurrent();
    if (p->ids.empty())
        return;
    if (wasPreviewing)
        startPreview();
    else
        p->previewWidget(0);
}

void WidgetContainer::removeAllWidget()
{
    LOG_D("WidgetContainer::removeAllWidget");
    stopPreview();
    for (const std::string& id : p->ids) {
        if (Widget* widget = p->member(id)) {
            disconnect(widget, &Widget::widgetPlayFinish, p.get(), &WidgetContainerPrivate::whenPlayFinish);
            widget->widgetHide();
            widget->deleteLater();
        }
    }
    p->ids.clear();
    p->members.clear();
    p->current = nullptr;
    p->index = 0;
    setEmptyTextVisible(true);
}

void WidgetContainer::setDragEnable(bool enable)
{
    LOG_D("WidgetContainer::setDragEnable");
    Widget::setDragEnable(enable);
}

void WidgetContainer::setEnable(bool enable)
{
    LOG_D("WidgetContainer::setEnable %d", enable ? 1 : 0);
    if (enable == p->enabled)
        return;
    p->enabled = enable;
    if (!enable)
        return;
    if (p->previewing) {
        LOG_I("current is preview state");
        if (p->previewWidget(0) == 0)
            p->startTimer();
        else
            p->previewing = false;
        return;
    }
    LOG_I("current is not preview state");
    p->previewLastWidget();
}

} // namespace dorvo_preview
