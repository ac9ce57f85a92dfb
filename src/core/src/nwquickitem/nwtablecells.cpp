#include "nwtablecells.h"

#include <QColor>
#include <QPainter>
#include <QVariantList>

namespace dorvo_preview {

namespace {

struct Style
{
    QFont font;
    QColor background;
    QColor color;
    int flags = 0;
};

Style styleOf(const QVariantMap& s)
{
    Style out;
    out.font.setFamily(s.value("family").toString());
    out.font.setPixelSize(qMax(1, s.value("size").toInt()));
    out.font.setBold(s.value("bold").toBool());
    out.font.setItalic(s.value("italic").toBool());
    out.font.setUnderline(s.value("underline").toBool());
    out.background = QColor(s.value("background").toString());
    out.color = QColor(s.value("color").toString());
    const QString h = s.value("horizontal").toString(), v = s.value("vertical").toString();
    out.flags = (h == "LEFT"     ? Qt::AlignLeft
                 : h == "CENTER" ? Qt::AlignHCenter
                                 : Qt::AlignRight) |
                (v == "TOP"      ? Qt::AlignTop
                 : v == "CENTER" ? Qt::AlignVCenter
                                 : Qt::AlignBottom) |
                Qt::TextSingleLine;
    return out;
}

} // namespace

NWTableCells::NWTableCells(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(false);
}

void NWTableCells::setPlan(const QVariantMap& plan)
{
    plan_ = plan;
    update();
    emit planChanged();
}

void NWTableCells::setTileTop(qreal top)
{
    if (qFuzzyCompare(top, tileTop_))
        return;
    tileTop_ = top;
    update();
    emit tileTopChanged();
}

void NWTableCells::paint(QPainter* painter)
{
    std::vector<Style> styles;
    for (const QVariant& s : plan_.value("styles").toList())
        styles.push_back(styleOf(s.toMap()));
    if (styles.empty())
        return;
    const int border = plan_.value("borderWidth").toInt();
    const QColor borderColor(plan_.value("borderColor").toString());
    const qreal bottom = tileTop_ + height();
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->translate(0, -tileTop_);
    for (const QVariant& v : plan_.value("cells").toList()) {
        const QVariantMap c = v.toMap();
        // A cell reaches border pixels beyond its size (the line it shares with the next).
        const QRectF r(c.value("x").toReal(), c.value("y").toReal(), c.value("w").toReal() + border,
                       c.value("h").toReal() + border);
        if (r.bottom() <= tileTop_ || r.top() >= bottom || r.left() >= width())
            continue;
        const Style& st =
            styles[static_cast<size_t>(qBound(0, c.value("style").toInt(), int(styles.size()) - 1))];
        painter->fillRect(r, st.background);
        if (border > 0) {
            painter->fillRect(QRectF(r.left(), r.top(), r.width(), border), borderColor);
            painter->fillRect(QRectF(r.left(), r.bottom() - border, r.width(), border), borderColor);
            painter->fillRect(QRectF(r.left(), r.top(), border, r.height()), borderColor);
            painter->fillRect(QRectF(r.right() - border, r.top(), border, r.height()), borderColor);
        }
        const QString text = c.value("text").toString();
        if (text.isEmpty())
            continue;
        painter->save();
        painter->setClipRect(r);
        painter->setFont(st.font);
        painter->setPen(st.color);
        // Plain text: drawText never reads markup.
        painter->drawText(r.adjusted(4, 2.5, -4, -2.5), st.flags, text);
        painter->restore();
    }
}

} // namespace dorvo_preview
