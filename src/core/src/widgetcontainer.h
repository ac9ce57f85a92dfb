#pragma once

#include "widget.h"

#include <memory>
#include <string>

namespace dorvo_preview {

class WidgetContainerPrivate;

// A rectangle on the canvas that plays a list of widgets one after the other.
// The member widgets borrow the container's item and draw into it; the
// container shows one of them at a time for its interval, covers each switch
// with the frame's anti-black snapshot, and shows a hint text while the list
// is empty. Members stay registered in the engine under their own ids.
class WidgetContainer : public Widget
{
    Q_OBJECT
public:
    WidgetContainer(Window* window, QObject* parentItem, QObject* parent = nullptr);
    ~WidgetContainer() override;

    const char* identity() const override;
    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    // Media type "WIDGETCONTAINER".
    int type() const override { return 24; }
    void setDefaultContent(std::string content) override;

    WidgetContainerPrivate* containerPrivate() const { return p.get(); }

public Q_SLOTS:
    void startPreview();
    void stopPreview();
    void switchWidget(std::string id);
    void widgetUp(std::string id);
    void widgetDown(std::string id);
    void widgetIndexChange(std::string id, int index);
    void insertWidget(dorvo_preview::Widget* widget);
    void removeWidget(std::string id);
    void removeAllWidget();
    void setDragEnable(bool enable);
    void setEnable(bool enable);

private:
    // After an engine-wide restart only the current member keeps content.
    void hideAllButCurrent();
    // Moves a member one place toward the front (step -1) or the end (1).
    void moveMember(const std::string& id, int step);

    std::unique_ptr<WidgetContainerPrivate> p;
};

} // namespace dorvo_preview
