#include "qmlcalllinepainter.h"

#include "core/src/enginehost.h"
#include "core/src/window.h"
#include "logging/log.h"
#include "qwinquickview/qwinquickview.h"

#include <QQmlEngine>
#include <QQuickView>

#include <algorithm>
#include <cmath>
#include <string>

namespace dorvo_preview {

namespace {

constexpr double kLineOverhang = 8.0;
constexpr double kMarkerOffset = 4.0;
constexpr double kSame = 1e-6;

bool near(double d)
{
    const double a = std::fabs(d);
    return a > 0.0 && a <= QmlCallLinePainter::kSnapDistance;
}

bool same(double a, double b)
{
    return std::fabs(a - b) <= kSame;
}

void addLine(std::vector<QLineF>& lines, const QLineF& line)
{
    if (std::find(lines.begin(), lines.end(), line) == lines.end())
        lines.push_back(line);
}

} // namespace

QmlCallLinePainter::Snap QmlCallLinePainter::absorb(const QRectF& current, const std::vector<QRectF>& others,
                                                    bool move)
{
    Snap out;
    double cx = current.x(), cy = current.y(), cw = current.width(), ch = current.height();
    // d is "current edge - other edge": a move shifts the rectangle by -d, a
    // resize moves its far edge by -d.
    auto snapH = [&](double d, bool farEdge) {
        if (!near(d))
            return;
        if (move) {
            cx -= d;
            out.snapped = true;
        } else if (farEdge) {
            cw -= d;
            out.snapped = true;
        }
    };
    auto snapV = [&](double d, bool farEdge) {
        if (!near(d))
            return;
        if (move) {
            cy -= d;
            out.snapped = true;
        } else if (farEdge) {
            ch -= d;
            out.snapped = true;
        }
    };
    for (const QRectF& r : others) {
        const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
        snapH(cx - x, false);
        snapH(cx - (x + w), false);
        snapH((cx + cw) - (x + w), true);
        snapH((cx + cw) - x, true);
        if (!move && near(cw - w)) {
            cw = w;
            out.snapped = true;
        }
        snapV(cy - y, false);
        snapV((cy + ch) - (y + h), true);
        snapV((cy + ch) - y, true);
        snapV(cy - (y + h), false);
        if (!move && near(ch - h)) {
            ch = h;
            out.snapped = true;
        }
    }
    out.rect = QRectF(cx, cy, cw, ch);

    // Guide lines along every pair of edges (or centre lines) that now coincide.
    for (const QRectF& r : others) {
        const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
        const double top = std::min(cy, y) - kLineOverhang;
        const double bottom = std::max(cy + ch, y + h) + kLineOverhang;
        const double left = std::min(cx, x) - kLineOverhang;
        const double right = std::max(cx + cw, x + w) + kLineOverhang;
        for (double a : {cx, cx + cw}) {
            for (double b : {x, x + w}) {
                if (same(a, b))
                    addLine(out.lines, QLineF(a, top, a, bottom));
            }
        }
        if (same(cx + cw / 2, x + w / 2))
            addLine(out.lines, QLineF(cx + cw / 2, top, cx + cw / 2, bottom));
        for (double a : {cy, cy + ch}) {
            for (double b : {y, y + h}) {
                if (same(a, b))
                    addLine(out.lines, QLineF(left, a, right, a));
            }
        }
        if (same(cy + ch / 2, y + h / 2))
            addLine(out.lines, QLineF(left, cy + ch / 2, right, cy + ch / 2));
        if (!move && same(cw, w)) {
            addLine(out.lines, QLineF(cx, cy - kMarkerOffset, cx + cw, cy - kMarkerOffset));
            addLine(out.lines, QLineF(x, y - kMarkerOffset, x + w, y - kMarkerOffset));
        }
        if (!move && same(ch, h)) {
            addLine(out.lines, QLineF(cx - kMarkerOffset, cy, cx - kMarkerOffset, cy + ch));
            addLine(out.lines, QLineF(x - kMarkerOffset, y, x - kMarkerOffset, y + h));
        }
    }
    return out;
}

QmlCallLinePainter::QmlCallLinePainter(QObject* parent) : QObject(parent) {}

void QmlCallLinePainter::setType(PosType type)
{
    if (type_ == type)
        return;
    type_ = type;
    emit typeChanged();
}

Window* QmlCallLinePainter::findWindow() const
{
    EngineHost* host = EngineHost::instance();
    if (!host) {
        LOG_E("host is nullptr");
        return nullptr;
    }
    QQmlEngine* engine = qmlEngine(this);
    if (!engine) {
        LOG_E("context is nullptr");
        return nullptr;
    }
    for (QObject* object : host->windows()) {
        auto* window = qobject_cast<Window*>(object);
        if (window && window->view() && window->view()->quickView() &&
            window->view()->quickView()->engine() == engine)
            return window;
    }
    LOG_E("window is nullptr");
    return nullptr;
}

void QmlCallLinePainter::setCurrentRect(const QString& id)
{
    Window* window = findWindow();
    if (!window)
        return;
    rects_.clear();
    std::string text;
    for (const ns::ItemRectData& r : window->getRectVct(id.toStdString())) {
        rects_.emplace_back(r.x, r.y, r.width, r.height);
        text += r.id + "(" + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
                "," + std::to_string(r.height) + ") ";
    }
    if (rects_.empty())
        LOG_D("all rect data is empty");
    else
        LOG_D("current all rect vct is %s", text.c_str());
}

double QmlCallLinePainter::getAbsorbentValue(double x, double y, double w, double h, bool move)
{
    const Snap snap = absorb(QRectF(x, y, w, h), rects_, move);
    double given = x, result = snap.rect.x();
    switch (type_) {
    case X:
        break;
    case Y:
        given = y;
        result = snap.rect.y();
        break;
    case W:
        given = w;
        result = snap.rect.width();
        break;
    case H:
        given = h;
        result = snap.rect.height();
        break;
    }
    const bool enable = snap.snapped && result != given;
    if (enable != enableDrag_) {
        enableDrag_ = enable;
        emit enableDragChanged();
    }
    if (!snap.lines.empty()) {
        if (Window* window = findWindow()) {
            for (const QLineF& line : snap.lines) {
                if (std::find(drawn_.begin(), drawn_.end(), line) != drawn_.end())
                    continue;
                drawn_.push_back(line);
                window->addLine(line.x1(), line.y1(), line.x2(), line.y2());
            }
        }
    }
    return result;
}

void QmlCallLinePainter::clearLines()
{
    if (drawn_.empty())
        return;
    drawn_.clear();
    if (Window* window = findWindow())
        window->clearLine();
}

} // namespace dorvo_preview
