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

TEST(LinePainter, LeftEdgeWithinSixPixelsSnapsFurtherDoesNot)
{
    const QRectF other(100, 300, 50, 50);
    auto snap = moveSnap(QRectF(103, 20, 80, 40), {other});
    EXPECT_TRUE(snap.snapped);
    EXPECT_DOUBLE_EQ(snap.rect.x(), 100);
    EXPECT_DOUBLE_EQ(snap.rect.width(), 80) << "a move keeps the size";
    EXPECT_TRUE(hasVerticalLineAt(snap, 100));

    snap = moveSnap(QRectF(94, 20, 80, 40), {other});
    EXPECT_DOUBLE_EQ(snap.rect.x(), 100) << "6 px on the other side snaps too";

    snap = moveSnap(QRectF(107, 20, 80, 40), {other});
    EXPECT_FALSE(snap.snapped);
    EXPECT_DOUBLE_EQ(snap.rect.x(), 107);
    EXPECT_TRUE(snap.lines.empty());
}

TEST(LinePainter, AlreadyAlignedReportsNoSnapButDrawsTheLine)
{
    auto snap = moveSnap(QRectF(100, 20, 80, 40), {QRectF(100, 300, 50, 50)});
    EXPECT_FALSE(snap.snapped);
    EXPECT_TRUE(hasVerticalLineAt(snap, 100));
    // The line runs 8 px beyond both rectangles.
    for (const QLineF& l : snap.lines) {
        if (l.x1() == 100) {
            EXPECT_DOUBLE_EQ(std::min(l.y1(), l.y2()), 20 - 8);
            EXPECT_DOUBLE_EQ(std::max(l.y1(), l.y2()), 350 + 8);
        }
    }
}

TEST(LinePainter, EdgeOrderLeftToLeftThenLeftToRightThenRightEdges)
{
    // Left edge 2 px from the other's right edge, right edge 4 px from its
    // left... the left-to-right difference comes first and wins.
    auto snap = moveSnap(QRectF(152, 0, 10, 10), {QRectF(100, 100, 50, 50)});
    EXPECT_DOUBLE_EQ(snap.rect.x(), 150);
    // Right edge onto right edge.
    snap = moveSnap(QRectF(65, 0, 80, 10), {QRectF(100, 100, 50, 50)});
    EXPECT_DOUBLE_EQ(snap.rect.right(), 150);
    // Right edge onto left edge.
    snap = moveSnap(QRectF(15, 0, 80, 10), {QRectF(100, 100, 50, 50)});
    EXPECT_DOUBLE_EQ(snap.rect.right(), 100);
    // Vertical edges the same way.
    snap = moveSnap(QRectF(0, 97, 10, 10), {QRectF(100, 100, 50, 50)});
    EXPECT_DOUBLE_EQ(snap.rect.y(), 100);
    snap = moveSnap(QRectF(0, 153, 10, 10), {QRectF(100, 100, 50, 50)});
    EXPECT_DOUBLE_EQ(snap.rect.y(), 150);
}

TEST(LinePainter, EachRectangleSeesTheResultOfThePreviousOnes)
{
    // The first snaps x from 105 to 100; against the second (left edge at
    // 104) the new x is 4 away and snaps again.
    auto snap = moveSnap(QRectF(105, 0, 10, 10), {QRectF(100, 50, 10, 10), QRectF(104, 80, 10, 10)});
    EXPECT_DOUBLE_EQ(snap.rect.x(), 104);
}

TEST(LinePainter, ResizeMovesOnlyTheFarEdgesAndMatchesSizes)
{
    // Right edge 3 px short of the other's right edge: the width grows by 3.
    auto snap = QmlCallLinePainter::absorb(QRectF(0, 0, 147, 40), {QRectF(100, 100, 50, 50)}, false);
    EXPECT_DOUBLE_EQ(snap.rect.x(), 0);
    EXPECT_DOUBLE_EQ(snap.rect.width(), 150);
    // The left edge near another left edge does not change the width.
    snap = QmlCallLinePainter::absorb(QRectF(103, 0, 200, 40), {QRectF(100, 100, 500, 50)}, false);
    EXPECT_DOUBLE_EQ(snap.rect.width(), 200);
    // Equal widths within 6 px become equal and draw the marker line above.
    snap = QmlCallLinePainter::absorb(QRectF(300, 0, 52, 40), {QRectF(0, 200, 50, 50)}, false);
    EXPECT_DOUBLE_EQ(snap.rect.width(), 50);
    bool marker = false;
    for (const QLineF& l : snap.lines)
        marker = marker || (l.y1() == -4 && l.y2() == -4 && l.x1() == 300 && l.x2() == 350);
    EXPECT_TRUE(marker);
    // Heights likewise, with the bottom edge.
    snap = QmlCallLinePainter::absorb(QRectF(0, 0, 40, 96), {QRectF(100, 0, 50, 100)}, false);
    EXPECT_DOUBLE_EQ(snap.rect.height(), 100);
}

TEST(LinePainter, NoOtherRectanglesNothingHappens)
{
    auto snap = moveSnap(QRectF(1, 2, 3, 4), {});
    EXPECT_FALSE(snap.snapped);
    EXPECT_EQ(snap.rect, QRectF(1, 2, 3, 4));
    EXPECT_TRUE(snap.lines.empty());
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
