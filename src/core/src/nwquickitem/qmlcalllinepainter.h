#pragma once

#include <QLineF>
#include <QObject>
#include <QRectF>
#include <QString>

#include <vector>

namespace dorvo_preview {

class Window;

// Snapping of a widget being moved or resized against the other rectangles
// of its window, with the guide lines that show what it snapped to. QML type
// LinePainter of com.kest.linePainter.
class QmlCallLinePainter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(PosType type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(bool enableDrag READ enableDrag NOTIFY enableDragChanged)
public:
    enum PosType
    {
        X,
        Y,
        W,
        H
    };
    Q_ENUM(PosType)

    // Pixels within which an edge snaps to another.
    static constexpr double kSnapDistance = 6.0;

    struct Snap
    {
        QRectF rect;
        bool snapped = false;
        std::vector<QLineF> lines;
    };
    // Snaps current against others, in their order, each step seeing the
    // results of the previous ones. In move mode the rectangle moves; in
    // resize mode its right and bottom edges move (width and height).
    static Snap absorb(const QRectF& current, const std::vector<QRectF>& others, bool move);

    explicit QmlCallLinePainter(QObject* parent = nullptr);

    PosType type() const { return type_; }
    void setType(PosType type);
    bool enableDrag() const { return enableDrag_; }

    // Collects the rectangles of the window's other widgets (and the canvas).
    Q_INVOKABLE void setCurrentRect(const QString& id);
    // The coordinate selected by type of the snapped rectangle; draws the guide lines.
    Q_INVOKABLE double getAbsorbentValue(double x, double y, double w, double h, bool move);
    // Removes the guide lines drawn so far.
    Q_INVOKABLE void clearLines();

    const std::vector<QRectF>& rects() const { return rects_; }
    void setRects(std::vector<QRectF> rects) { rects_ = std::move(rects); }

Q_SIGNALS:
    void typeChanged();
    void enableDragChanged();

private:
    Window* findWindow() const;

    PosType type_ = X;
    bool enableDrag_ = false;
    std::vector<QRectF> rects_;
    std::vector<QLineF> drawn_;
};

} // namespace dorvo_preview
