// Snapping arithmetic of the line painter: which edges snap, by how much, in
// which order, and which guide lines result.

#include "core/src/nwquickitem/qmlcalllinepainter.h"

#include <gtest/gtest.h>

#include <algorithm>

using dorvo_preview::QmlCallLinePainter;

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
        {"right onto left", {15, 0, 80, 10}, {other}, true, Right, 100},
        {"top onto bottom", {0, 153, 10, 10}, {other}, true, Y, 150},
        // The first snaps x to 100; the second's left edge at 104 is 4 away and snaps again.
        {"each sees the previous result",
         {105, 0, 10, 10},
         {{100, 50, 10, 10}, {104, 80, 10, 10}},
         true,
         X,
         104},
        {"resize keeps the left edge", {0, 0, 147, 40}, {other}, false, X, 0},
        {"a near left edge keeps the width", {103, 0, 200, 40}, {{100, 100, 500, 50}}, false, W, 200},
        {"widths within 6 px match", {300, 0, 52, 40}, {{0, 200, 50, 50}}, false, W, 50},
        {"heights within 6 px match", {0, 0, 40, 96}, {{100, 0, 50, 100}}, false, H, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRectF r = QmlCallLinePainter::absorb(c.current, c.others, c.move).rect;
        const double got[] = {r.x(), r.y(), r.width(), r.height(), r.right()};
        EXPECT_DOUBLE_EQ(got[c.side], c.expected);
    }
    // Already aligned: no snap, but the guide line, running 8 px beyond both rectangles.
    const auto snap = QmlCallLinePainter::absorb(QRectF(100, 20, 80, 40), {QRectF(100, 300, 50, 50)}, true);
    EXPECT_FALSE(snap.snapped);
    EXPECT_TRUE(std::any_of(snap.lines.begin(), snap.lines.end(), [](const QLineF& l) {
        return l.x1() == 100 && l.x2() == 100 && std::min(l.y1(), l.y2()) == 12 &&
               std::max(l.y1(), l.y2()) == 358;
    }));
    // Equal widths draw the marker line above.
    const auto widths = QmlCallLinePainter::absorb(QRectF(300, 0, 52, 40), {QRectF(0, 200, 50, 50)}, false);
    EXPECT_TRUE(std::any_of(widths.lines.begin(), widths.lines.end(), [](const QLineF& l) {
        return l.y1() == -4 && l.y2() == -4 && l.x1() == 300 && l.x2() == 350;
    }));
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
    painter.setType(QmlCallLinePainter::H);
    EXPECT_DOUBLE_EQ(painter.getAbsorbentValue(0, 0, 10, 152, false), 150);
    EXPECT_TRUE(painter.enableDrag());
}
