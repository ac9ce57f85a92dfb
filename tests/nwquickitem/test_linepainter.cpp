// Snapping arithmetic of the line painter: which edges snap, by how much, in
// which order, and which guide lines result.

#include "core/src/nwquickitem/qmlcalllinepainter.h"

#include <gtest/gtest.h>

using dorvo_preview::QmlCallLinePainter;

namespace {

QmlCallLinePainter::Snap moveSnap(QRectF current, std::vector<QRectF> others)
{
    return QmlCallLinePainter::absorb(current, others, true);
}

bool hasVerticalLineAt(const QmlCallLinePainter::Snap& snap, double x)
{
    for (const QLineF& l : snap.lines) {
        if (l.x1() == x && l.x2() == x)
            return true;
    }
    return false;
}

} // namespace

TEST(LinePainter, EdgesWithinSixPixelsSnapInTheirOrder)
{
    enum Side
    {
        X,
        Y,
        W,
        H,
        Right
    };
    const QRectF other(100, 100, 50, 50);
    const struct
    {
        const char* what;
        QRectF current;
        std::vector<QRectF> others;
        bool move;
        Side side;
        double expected;
    } cases[] = {
        {"left edge 3 px off snaps", {103, 20, 80, 40}, {other}, true, X, 100},
        {"a move keeps the size", {103, 20, 80, 40}, {other}, true, W, 80},
        {"6 px on the other side snaps", {94, 20, 80, 40}, {other}, true, X, 100},
        {"7 px does not", {107, 20, 80, 40}, {other}, true, X, 107},
        {"left onto right comes first", {152, 0, 10, 10}, {other}, true, X, 150},
        {"right onto right", {65, 0, 80, 10}, {other}, true, Right, 150},
        {"right onto left", {15, 0, 80, 10}, {other}, true, Right, 100},
        {"top onto top", {0, 97, 10, 10}, {other}, true, Y, 100},
        {"top onto bottom", {0, 153, 10, 10}, {other}, true, Y, 150},
        // The first snaps x to 100; the second's left edge at 104 is 4 away and snaps again.
        {"each sees the previous result",
         {105, 0, 10, 10},
         {{100, 50, 10, 10}, {104, 80, 10, 10}},
         true,
         X,
         104},
        {"resize keeps the left edge", {0, 0, 147, 40}, {other}, false, X, 0},
        {"resize moves the right edge", {0, 0, 147, 40}, {other}, false, W, 150},
        {"a near left edge keeps the width", {103, 0, 200, 40}, {{100, 100, 500, 50}}, false, W, 200},
        {"widths within 6 px match", {300, 0, 52, 40}, {{0, 200, 50, 50}}, false, W, 50},
        {"heights within 6 px match", {0, 0, 40, 96}, {{100, 0, 50, 100}}, false, H, 100},
        {"nothing to snap to", {1, 2, 3, 4}, {}, true, X, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRectF r = QmlCallLinePainter::absorb(c.current, c.others, c.move).rect;
        const double got[] = {r.x(), r.y(), r.width(), r.height(), r.right()};
        EXPECT_DOUBLE_EQ(got[c.side], c.expected);
    }
}

TEST(LinePainter, SnapsReportedAndGuideLinesDrawn)
{
    const QRectF other(100, 300, 50, 50);
    auto snap = moveSnap(QRectF(103, 20, 80, 40), {other});
    EXPECT_TRUE(snap.snapped);
    EXPECT_TRUE(hasVerticalLineAt(snap, 100));
    snap = moveSnap(QRectF(107, 20, 80, 40), {other});
    EXPECT_FALSE(snap.snapped);
    EXPECT_TRUE(snap.lines.empty());
    snap = moveSnap(QRectF(1, 2, 3, 4), {});
    EXPECT_FALSE(snap.snapped);
    EXPECT_TRUE(snap.lines.empty());
    // Already aligned: no snap, but the line, running 8 px beyond both rectangles.
    snap = moveSnap(QRectF(100, 20, 80, 40), {other});
    EXPECT_FALSE(snap.snapped);
    EXPECT_TRUE(hasVerticalLineAt(snap, 100));
    for (const QLineF& l : snap.lines) {
        if (l.x1() == 100) {
            EXPECT_DOUBLE_EQ(std::min(l.y1(), l.y2()), 20 - 8);
            EXPECT_DOUBLE_EQ(std::max(l.y1(), l.y2()), 350 + 8);
        }
    }
    // Equal widths draw the marker line above.
    snap = QmlCallLinePainter::absorb(QRectF(300, 0, 52, 40), {QRectF(0, 200, 50, 50)}, false);
    bool marker = false;
    for (const QLineF& l : snap.lines)
        marker = marker || (l.y1() == -4 && l.y2() == -4 && l.x1() == 300 && l.x2() == 350);
    EXPECT_TRUE(marker);
}

TEST(LinePainter, TypeSelectsTheCoordinateAndEnableDragTellsIfItMoved)
{
    QmlCallLinePainter painter;
    painter.setRects({QRectF(100, 100, 50, 50)});
    painter.setType(QmlCallLinePainter::X);
    EXPECT_DOUBLE_EQ(painter.getAbsorbentValue(103, 0, 10, 10, true), 100);
    EXPECT_TRUE(painter.enableDrag());
    painter.setType(QmlCallLinePainter::Y);
    // y did not snap (x did): the answer is y itself and enableDrag is false.
    EXPECT_DOUBLE_EQ(painter.getAbsorbentValue(103, 0, 10, 10, true), 0);
    EXPECT_FALSE(painter.enableDrag());
    painter.setType(QmlCallLinePainter::W);
    EXPECT_DOUBLE_EQ(painter.getAbsorbentValue(0, 0, 98, 10, false), 100);
    EXPECT_TRUE(painter.enableDrag());
    painter.setType(QmlCallLinePainter::H);
    EXPECT_DOUBLE_EQ(painter.getAbsorbentValue(0, 0, 10, 152, false), 150);
    EXPECT_TRUE(painter.enableDrag());
}
