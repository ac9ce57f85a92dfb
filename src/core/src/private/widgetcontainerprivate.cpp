#include "widgetcontainerprivate.h"

#include "core/src/widget.h"
#include "core/src/widgetcontainer.h"
#include "logging/log.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace dorvo_preview {

namespace {

// The old member is hidden this long after the new one was asked to show.
constexpr int kHideDelayMs = 50;
// A member whose content never reports that it started keeps the frozen
// picture no longer than this.
constexpr int kAntiBlackLimitMs = 1000;
// The new member is shown at the latest this long after the switch, even
// when the window draws no frame.
constexpr int kCaptureLimitMs = 200;

} // namespace

WidgetContainerPrivate::WidgetContainerPrivate(WidgetContainer* owner)
    : QObject(nullptr), name(Widget::createUuid()), owner_(owner)
{
    timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &WidgetContainerPrivate::whenTimeout);
    antiBlackLimit_ = new QTimer(this);
    antiBlackLimit_->setSingleShot(true);
    antiBlackLimit_->setInterval(kAntiBlackLimitMs);
    captureLimit_ = new QTimer(this);
    captureLimit_->setSingleShot(true);
    captureLimit_->setInterval(kCaptureLimitMs);
    connect(captureLimit_, &QTimer::timeout, this, &WidgetContainerPrivate::showPending);
    connect(antiBlackLimit_, &QTimer::timeout, this, [this] {
        LOG_D("WidgetContainerPrivate anti-black ends after %d ms", kAntiBlackLimitMs);
        owner_->onItemStarted(QString());
    });
}

WidgetContainerPrivate::~WidgetContainerPrivate() = default;

int WidgetContainerPrivate::indexOf(const std::string& id) const
{
    auto it = std::find(ids.begin(), ids.end(), id);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

int WidgetContainerPrivate::findMember(const std::string& id) const
{
    const int i = indexOf(id);
    if (i < 0)
        LOG_E("can not find this id %s", id.c_str());
    return i;
}

Widget* WidgetContainerPrivate::member(const std::string& id) const
{
    auto it = members.find(id);
    return it == members.end() ? nullptr : it->second.data();
}

void WidgetContainerPrivate::followCurrent()
{
    if (current) {
        const int at = indexOf(current->uuid());
        if (at >= 0)
            index = at;
    }
}

int WidgetContainerPrivate::intervalMs(int seconds)
{
    const int clamped = std::min(std::max(seconds, 1), INT_MAX / 1000);
    return clamped * 1000;
}

void WidgetContainerPrivate::keepPicture(Widget* leaving)
{
    leaving->keepBackground();
    antiBlackLimit_->start();
}

void WidgetContainerPrivate::hideLater(const std::string& id)
{
    QTimer::singleShot(kHideDelayMs, this, [this, id] {
        if (indexOf(id) < 0)
            return;
        Widget* widget = member(id);
        // Switching back and forth quickly may have made it current again.
        if (!widget || widget == current.data())
            return;
        widget->widgetHide();
    });
}

int WidgetContainerPrivate::previewWidget(int i)
{
    LOG_D("WidgetContainerPrivate::previewWidget index is %d", i);
    if (i < 0 || i >= static_cast<int>(ids.size())) {
        LOG_E("can not play this widget index %d", i);
        return 1;
    }
    if (!enabled) {
        LOG_I("widgetContainer is disable");
        return 1;
    }
    Widget* next = member(ids[static_cast<size_t>(i)]);
    const bool switching = current && i != index && current.data() != next;
    if (switching) {
        keepPicture(current.data());
        leaving_.push_back(current->uuid());
    }
    index = i;
    current = next;
    if (!next) {
        LOG_E("can not play this widget");
        showPending();
        return 1;
    }
    next->setWidgetContainerPreview(previewing);
    if (switching || pending_) {
        showAfterCapture(next);
        return 0;
    }
    next->widgetShow();
    return 0;
}

// The new member's content is made once the frozen picture of the old one
// has been taken: a content that draws black or nothing before its first
// picture (a video) never gets into the snapshot.
void WidgetContainerPrivate::showAfterCapture(Widget* next)
{
    pending_ = next;
    disconnect(frameConnection_);
    auto* frame = qobject_cast<QQuickItem*>(owner_->item());
    if (QQuickWindow* window = frame ? frame->window() : nullptr)
        frameConnection_ = connect(window, &QQuickWindow::frameSwapped, this,
                                   &WidgetContainerPrivate::showPending, Qt::QueuedConnection);
    captureLimit_->start();
}

void WidgetContainerPrivate::showPending()
{
    disconnect(frameConnection_);
    captureLimit_->stop();
    Widget* next = pending_.data();
    pending_.clear();
    if (next && next == current.data())
        next->widgetShow();
    for (const std::string& id : leaving_)
        hideLater(id);
    leaving_.clear();
}

void WidgetContainerPrivate::previewLastWidget()
{
    const int last = static_cast<int>(ids.size()) - 1;
    if (previewWidget(last) != 0)
        LOG_E("show widget error index %d", last);
}

void WidgetContainerPrivate::startTimer()
{
    if (index < 0 || index >= static_cast<int>(ids.size()) || !current) {
        LOG_E("can not start timer, play this widget index is not invaild: %d", index);
        return;
    }
    remainingTime = 0;
    timer->start(intervalMs(current->interval()));
}

void WidgetContainerPrivate::stopTimer()
{
    timer->stop();
    remainingTime = 0;
}

void WidgetContainerPrivate::pauseTimer()
{
    LOG_D("WidgetContainerPrivate::pauseTimer");
    // A second pause keeps what the first one stored.
    if (timer->isActive()) {
        remainingTime = std::max(timer->remainingTime(), 1);
        timer->stop();
    }
    LOG_D("pauseTimer m_remainingTime is %d", remainingTime);
    if (current)
        current->pause();
}

void WidgetContainerPrivate::resumeTimer()
{
    LOG_D("WidgetContainerPrivate::resumeTimer %d", remainingTime);
    if (remainingTime > 0 && previewing)
        timer->start(remainingTime);
    remainingTime = 0;
    if (current)
        current->resume();
}

void WidgetContainerPrivate::whenTimeout()
{
    if (!previewing)
        return;
    const int count = static_cast<int>(ids.size());
    // Members deleted by the host are passed over.
    for (int step = 1; step <= count; ++step) {
        const int next = (index + step) % count;
        LOG_D("WidgetContainerPrivate::whenTimeout index is %d", next);
        if (previewWidget(next) == 0) {
            startTimer();
            return;
        }
    }
    LOG_E("WidgetContainerPrivate::whenTimeout no widget can be shown");
}

void WidgetContainerPrivate::whenPlayFinish()
{
    // Only the member on screen moves the list on.
    if (!previewing || sender() != current.data())
        return;
    stopTimer();
    whenTimeout();
}

} // namespace dorvo_preview
