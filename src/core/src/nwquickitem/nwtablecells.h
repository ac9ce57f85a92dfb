#pragma once

#include <QFont>
#include <QQuickPaintedItem>
#include <QVariantMap>

#include <vector>

namespace dorvo_preview {

// Paints the cells of a table's drawing plan (TablePlan::toVariant) that lie
// in one horizontal band of the table: fills, borders and plain texts, the
// band starting at tileTop in table pixels. A tall table is drawn as a stack
// of bands, so no picture grows beyond the graphics limits.
class NWTableCells : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QVariantMap plan READ plan WRITE setPlan NOTIFY planChanged)
    Q_PROPERTY(qreal tileTop READ tileTop WRITE setTileTop NOTIFY tileTopChanged)

public:
    explicit NWTableCells(QQuickItem* parent = nullptr);

    QVariantMap plan() const { return plan_; }
    void setPlan(const QVariantMap& plan);
    qreal tileTop() const { return tileTop_; }
    void setTileTop(qreal top);

    void paint(QPainter* painter) override;

Q_SIGNALS:
    void planChanged();
    void tileTopChanged();

private:
    QVariantMap plan_;
    qreal tileTop_ = 0;
};

} // namespace dorvo_preview
