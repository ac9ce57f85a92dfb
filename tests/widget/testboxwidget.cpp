#include "testboxwidget.h"

#include "core/src/private/widgetprivate.h"
#include "core/src/widgetfactory.h"

#include <QQmlComponent>
#include <QQmlEngine>

namespace testsupport {

TestBoxWidget::TestBoxWidget(dorvo_preview::Window* window, QObject* parentItem, int mediaType)
    : Widget(window, parentItem), mediaType_(mediaType)
{}

TestBoxWidget::~TestBoxWidget()
{
    if (box_)
        box_->deleteLater();
}

void TestBoxWidget::widgetShow()
{
    ++shows_;
    auto* d = widgetPrivate();
    d->record.id = uuid();
    d->record.type = "BORDER";
    nlohmann::json content = nlohmann::json::parse(defaultContent(), nullptr, false);
    std::string color = "#808080";
    if (content.is_object()) {
        if (auto it = content.find("layout"); it != content.end())
            ns::from_json(*it, d->record.layout);
        if (auto it = content.find("color"); it != content.end() && it->is_string())
            color = it->get<std::string>();
    }
    createChildItem(item(), QString::fromStdString(d->record.toJson()));
    auto* frame = qobject_cast<QQuickItem*>(item());
    if (!frame || box_)
        return;
    QQuickItem* holder = frame->findChild<QQuickItem*>(QStringLiteral("rectTemp"));
    QQmlEngine* engine = qmlEngine(frame);
    if (!holder || !engine)
        return;
    QQmlComponent component(engine);
    component.setData("import QtQuick 2.15\nRectangle { anchors.fill: parent }", QUrl());
    box_ = qobject_cast<QQuickItem*>(component.create());
    if (!box_)
        return;
    box_->setProperty("color", QString::fromStdString(color));
    box_->setParentItem(holder);
}

void TestBoxWidget::widgetHide()
{
    if (box_)
        box_->setVisible(false);
}

void registerTestBox(int interfaceType, int mediaType)
{
    dorvo_preview::WidgetFactory::registerKind(
        interfaceType, [mediaType](dorvo_preview::Window* window, QObject* parentItem) {
            return new TestBoxWidget(window, parentItem, mediaType);
        });
}

} // namespace testsupport
