#pragma once

#include "core/appcommon/widgetrecord.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <string>
#include <vector>

class QTimer;

namespace dorvo_preview {

class Widget;
class WidgetContainer;

// The playlist of a widget container: member ids in play order, the position
// shown last, the interval timer and the play and enable states.
class WidgetContainerPrivate : public QObject
{
    Q_OBJECT
public:
    explicit WidgetContainerPrivate(WidgetContainer* owner);
    ~WidgetContainerPrivate() override;

    // Shows the member at position i; 0 on success, 1 when refused.
    int previewWidget(int i);
    void previewLastWidget();
    void startTimer();
    void stopTimer();
    void pauseTimer();
    void resumeTimer();
    // Position of id in the list, or -1.
    int indexOf(const std::string& id) const;
    // The same, logging an unknown id.
    int findMember(const std::string& id) const;
    // The member of that id, or null when it is not a member or was deleted.
    Widget* member(const std::string& id) const;
    // Keeps index on the current member after the list changed.
    void followCurrent();
    // Milliseconds the timer runs for a member's interval in seconds.
    static int intervalMs(int seconds);

    bool enabled = false;
    bool previewing = false;
    int index = 0;
    std::string name;
    std::vector<std::string> ids;
    ns::Widget record;
    int emptyPixelSize = 14;
    // A deleted member reads as none.
    QPointer<Widget> current;
    QTimer* timer = nullptr;
    int remainingTime = 0;
    std::map<std::string, QPointer<Widget>> members;

public Q_SLOTS:
    void whenTimeout();
    void whenPlayFinish();

private:
    // Freezes the picture of the member that is leaving; the snapshot ends
    // when the next member's content reports that it started, or after
    // kAntiBlackLimitMs.
    void keepPicture(Widget* leaving);
    void hideLater(const std::string& id);
    void showAfterCapture(Widget* next);
    void showPending();

    WidgetContainer* owner_;
    QTimer* antiBlackLimit_ = nullptr;
    QTimer* captureLimit_ = nullptr;
    QMetaObject::Connection frameConnection_;
    // Shown after the next frame; the members it replaces are hidden then.
    QPointer<Widget> pending_;
    std::vector<std::string> leaving_;
};

} // namespace dorvo_preview
