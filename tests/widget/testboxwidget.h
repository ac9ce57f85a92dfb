#pragma once

// A minimal widget kind of the test suite's own: a filled rectangle whose
// layout and colour come from the default content, e.g.
// {"layout":{"x":10,"y":20,"width":100,"height":80},"color":"#FF0000"}.
// Its media type can be chosen, so that type-dependent base behaviour (the
// video interval) can be checked without the real kinds.

#include "core/src/widget.h"

#include <QPointer>
#include <QQuickItem>

namespace testsupport {

class TestBoxWidget : public dorvo_preview::Widget
{
    Q_OBJECT
public:
    TestBoxWidget(dorvo_preview::Window* window, QObject* parentItem, int mediaType = 12);
    ~TestBoxWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    int type() const override { return mediaType_; }

    int shows() const { return shows_; }

private:
    int mediaType_;
    int shows_ = 0;
    QPointer<QQuickItem> box_;
};

// Makes the library build TestBoxWidget for an interface type code.
void registerTestBox(int interfaceType, int mediaType = 12);

} // namespace testsupport
