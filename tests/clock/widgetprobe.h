#pragma once

// A scene fixture that places the widgets a host made and reads back their
// records, their scenes' properties and what their pictures show (the clock,
// calendar, table and weather tests share it).

#include "support/scenefixture.h"

#include "core/src/metadatawidget.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace widgetprobe {

// The bands of rows holding a pixel that matches (lines of text).
inline int bands(const QImage& img, const std::function<bool(QRgb)>& match)
{
    int n = 0;
    bool inBand = false;
    for (int y = 0; y < img.height(); ++y) {
        bool any = false;
        for (int x = 0; x < img.width() && !any; ++x)
            any = match(img.pixel(x, y));
        n += any && !inBand;
        inBand = any;
    }
    return n;
}

// Clockwise angle from 12 o'clock of the matching pixel farthest from the
// centre within maxRadius; -1 when there is none.
inline double handAngle(const QImage& img, const std::function<bool(QRgb)>& pred, double maxRadius)
{
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    double best = -1, angle = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            if (d > maxRadius || d <= best || !pred(img.pixel(x, y)))
                continue;
            best = d;
            angle = std::fmod(std::atan2(dx, -dy) * 180 / M_PI + 360, 360);
        }
    return angle;
}

class Fixture : public testsupport::SceneFixture
{
protected:
    static dorvo_preview::MetadataWidget* widget(const std::string& id)
    {
        return qobject_cast<dorvo_preview::MetadataWidget*>(dorvo_preview::EngineHost::getWidget(id));
    }

    // The items of that name under root, along the visual tree (delegates of
    // repeaters are not QObject children of the scene).
    static QList<QQuickItem*> named(QQuickItem* root, const QString& name)
    {
        QList<QQuickItem*> out;
        if (root && root->objectName() == name)
            out << root;
        for (QQuickItem* child : root ? root->childItems() : QList<QQuickItem*>())
            out << named(child, name);
        return out;
    }

    // A property of the widget's scene, or of its object of that name.
    static QVariant prop(const std::string& id, const char* property, const char* child = nullptr)
    {
        QVariant v;
        onQtThread([&] {
            auto* w = widget(id);
            QQuickItem* root = w ? w->contentItem() : nullptr;
            QObject* o = root && child ? root->findChild<QObject*>(child) : root;
            if (!o && root && !named(root, child).isEmpty())
                o = named(root, child).first();
            if (o)
                v = testsupport::plainProperty(o, property);
        });
        return v;
    }

    static nlohmann::json record(const std::string& id)
    {
        const std::string text = testsupport::readWidget<dorvo_preview::MetadataWidget>(
            win, id, [](auto* w) { return w->recordJson(); });
        return nlohmann::json::parse(text, nullptr, false);
    }
};

} // namespace widgetprobe
