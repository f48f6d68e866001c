// The rasteriser's pixel rules on small cases whose answer is known by hand;
// the reference corpus (raster_corpus_test.cpp) checks the rest against GDI.
#include <gtest/gtest.h>

#include "raster_test_canvas.h"

namespace {

using namespace qz370::raster_test;
namespace raster = qz370::raster;

Pixels ring(int left, int top, int right, int bottom) {
    Pixels all = box_pixels(left, top, right, bottom), inside = box_pixels(left + 1, top + 1, right - 1, bottom - 1);
    for (const auto &p : inside) all.erase(p);
    return all;
}

TEST(RasterRectangle, FilledBoxLeavesOutRightColumnAndBottomRow) {
    Canvas c(20, 20);
    raster::rectangle(c.surface, 3, 4, 8, 9, THIN, INK_BRUSH);
    EXPECT_EQ(c.inked(), box_pixels(3, 4, 8, 9));
}

TEST(RasterRectangle, ThinOutlineIsTheBorderOfTheBoxAndKeepsTheInside) {
    Canvas c(20, 20);
    raster::rectangle(c.surface, 3, 4, 8, 9, THIN, NO_BRUSH);
    EXPECT_EQ(c.inked(), ring(3, 4, 8, 9));
    EXPECT_EQ(c.inked().size(), 16u);
}

TEST(RasterRectangle, PenOutlinesAndBrushFillsTheInside) {
    Canvas c(20, 20);
    raster::rectangle(c.surface, 3, 4, 8, 9, THIN, RED_BRUSH);
    for (const auto &[x, y] : ring(3, 4, 8, 9)) EXPECT_EQ(c.at(x, y), INK);
    for (const auto &[x, y] : box_pixels(4, 5, 7, 8)) EXPECT_EQ(c.at(x, y), RED);
}

TEST(RasterRectangle, BoxWithoutWidthOrHeightDrawsNothingWhateverThePen) {
    Canvas c(20, 20);
    for (int width : {0, 1, 5}) {
        raster::rectangle(c.surface, 5, 5, 5, 9, wide_pen(width), INK_BRUSH);
        raster::rectangle(c.surface, 5, 5, 9, 5, wide_pen(width), INK_BRUSH);
    }
    EXPECT_TRUE(c.inked().empty());
}

TEST(RasterRectangle, OnePixelBoxDrawsNothingWithAThinPenAndADotWithAWideOne) {
    Canvas thin(20, 20), wide(20, 20);
    raster::rectangle(thin.surface, 5, 5, 6, 6, THIN, INK_BRUSH);
    EXPECT_TRUE(thin.inked().empty());
    raster::rectangle(wide.surface, 5, 5, 6, 6, wide_pen(3), NO_BRUSH);
    EXPECT_EQ(wide.inked(), (Pixels{{5, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}}));
}

TEST(RasterRectangle, WithoutAPenTheBrushCoversOneColumnAndRowLess) {
    Canvas c(20, 20);
    raster::rectangle(c.surface, 3, 4, 8, 9, NO_PEN, RED_BRUSH);
    EXPECT_EQ(c.inked(), box_pixels(3, 4, 7, 8));
}

TEST(RasterRectangle, WidePenIsCentredOnTheOutline) {
    Canvas even(30, 30), odd(30, 30);
    raster::rectangle(even.surface, 10, 10, 20, 20, wide_pen(2), NO_BRUSH);
    Pixels band = box_pixels(9, 9, 20, 20);  // corners 10 and 19, one pixel out and none in
    for (const auto &p : box_pixels(11, 11, 18, 18)) band.erase(p);
    EXPECT_EQ(even.inked(), band);
    raster::rectangle(odd.surface, 10, 10, 20, 20, wide_pen(3), NO_BRUSH);
    EXPECT_EQ(odd.at(9, 15), INK);   // one pixel outside the left edge
    EXPECT_EQ(odd.at(11, 15), INK);  // one inside it
    EXPECT_EQ(odd.at(12, 15), PAPER);
    EXPECT_EQ(odd.at(9, 9), PAPER);  // the joins are round
}

TEST(RasterLine, LeavesOutTheEndPoint) {
    Canvas c(20, 20);
    raster::line(c.surface, 2, 5, 12, 5, THIN);
    EXPECT_EQ(c.inked(), box_pixels(2, 5, 12, 6));
}

TEST(RasterLine, ZeroLengthThinLineDrawsNothingAndWideOneADot) {
    Canvas c(20, 20);
    raster::line(c.surface, 5, 5, 5, 5, THIN);
    EXPECT_TRUE(c.inked().empty());
    raster::line(c.surface, 5, 5, 5, 5, wide_pen(2));
    EXPECT_EQ(c.inked(), box_pixels(4, 4, 6, 6));
}

// Where the line passes exactly half-way between two pixels the one with the
// smaller coordinate is taken, whichever way the line runs.
TEST(RasterLine, HalfwayStepsGoToTheSmallerCoordinate) {
    Canvas down(20, 20), up(20, 20), left(20, 20), steep(20, 20);
    raster::line(down.surface, 0, 10, 4, 11, THIN);
    EXPECT_EQ(down.inked(), (Pixels{{0, 10}, {1, 10}, {2, 10}, {3, 11}}));
    raster::line(up.surface, 0, 10, 4, 9, THIN);
    EXPECT_EQ(up.inked(), (Pixels{{0, 10}, {1, 10}, {2, 9}, {3, 9}}));
    raster::line(left.surface, 8, 10, 4, 11, THIN);
    EXPECT_EQ(left.inked(), (Pixels{{8, 10}, {7, 10}, {6, 10}, {5, 11}}));
    raster::line(steep.surface, 10, 0, 11, 4, THIN);
    EXPECT_EQ(steep.inked(), (Pixels{{10, 0}, {10, 1}, {10, 2}, {11, 3}}));
}

TEST(RasterLine, WideLineHasRoundEnds) {
    Canvas c(30, 20);
    raster::line(c.surface, 5, 10, 20, 10, wide_pen(5));
    EXPECT_EQ(c.at(5, 8), INK);
    EXPECT_EQ(c.at(3, 8), PAPER);  // the corner of a square end
    EXPECT_EQ(c.at(3, 10), INK);
    EXPECT_EQ(c.at(22, 10), INK);  // the end point is drawn
    EXPECT_EQ(c.at(22, 8), PAPER);
}

TEST(RasterLine, WideLineCoversTheSamePixelsEitherWay) {
    for (auto [dx, dy] : {std::pair{11, 4}, {-7, 13}, {9, -9}, {-12, -5}}) {
        Canvas forward(40, 40), backward(40, 40);
        raster::line(forward.surface, 20, 20, 20 + dx, 20 + dy, wide_pen(6));
        raster::line(backward.surface, 20 + dx, 20 + dy, 20, 20, wide_pen(6));
        EXPECT_EQ(forward.pixels, backward.pixels) << dx << "," << dy;
    }
}

TEST(RasterEllipse, SinglePixelBoxDrawsNothing) {
    Canvas c(20, 20);
    raster::ellipse(c.surface, 5, 5, 6, 6, THIN, INK_BRUSH);
    EXPECT_TRUE(c.inked().empty());
}

TEST(RasterEllipse, BoxesTwoPixelsThinAreDrawnAsRectangles) {
    for (RECT box : {RECT{3, 2, 5, 12}, RECT{3, 2, 4, 12}, RECT{2, 7, 15, 9}}) {
        Canvas ellipse(20, 20), rectangle(20, 20);
        raster::ellipse(ellipse.surface, box.left, box.top, box.right, box.bottom, THIN, NO_BRUSH);
        raster::rectangle(rectangle.surface, box.left, box.top, box.right, box.bottom, THIN, NO_BRUSH);
        EXPECT_EQ(ellipse.pixels, rectangle.pixels);
    }
}

TEST(RasterEllipse, SmallCirclesHaveTheirKnownShapes) {
    Canvas three(10, 10), five(10, 10);
    raster::ellipse(three.surface, 1, 1, 4, 4, THIN, INK_BRUSH);
    EXPECT_EQ(three.inked(), (Pixels{{2, 1}, {1, 2}, {2, 2}, {3, 2}, {2, 3}}));
    raster::ellipse(five.surface, 1, 1, 6, 6, THIN, NO_BRUSH);
    Pixels rim = ring(1, 1, 6, 6);
    for (auto corner : {std::pair{1, 1}, {5, 1}, {1, 5}, {5, 5}}) rim.erase(corner);
    EXPECT_EQ(five.inked(), rim);
}

TEST(RasterEllipse, CircleIsSymmetricAndStaysInItsBox) {
    Canvas c(40, 40);
    raster::ellipse(c.surface, 5, 6, 26, 27, THIN, NO_BRUSH);  // 21 by 21
    Pixels inked = c.inked();
    for (const auto &[x, y] : inked) {
        EXPECT_TRUE(inked.count({30 - x, y}) && inked.count({x, 32 - y}) && inked.count({y - 1, x + 1}))
            << x << "," << y;
        EXPECT_TRUE(x >= 5 && x < 26 && y >= 6 && y < 27);
    }
    for (int i : {5, 25}) {
        EXPECT_EQ(c.at(i, 16), INK);  // the ends of the middle row and column
        EXPECT_EQ(c.at(15, i + 1), INK);
    }
}

TEST(RasterEllipse, OutlineLiesOnTheRimOfTheFilledShapeAndInsideIsKept) {
    Canvas filled(60, 40), outline(60, 40);
    raster::ellipse(filled.surface, 4, 3, 55, 34, THIN, INK_BRUSH);
    raster::ellipse(outline.surface, 4, 3, 55, 34, THIN, RED_BRUSH);
    Pixels shape = filled.inked();
    EXPECT_EQ(outline.inked(), shape);
    for (const auto &[x, y] : shape) {
        bool rim = !shape.count({x - 1, y}) || !shape.count({x + 1, y}) || !shape.count({x, y - 1}) ||
                   !shape.count({x, y + 1});
        if (rim) {
            EXPECT_EQ(outline.at(x, y), INK) << x << "," << y;
        }
    }
}

TEST(RasterPolygon, AlternateRuleLeavesTheMiddleOfAStarEmpty) {
    Canvas c(40, 40);
    POINT star[5] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    raster::polygon(c.surface, star, 5, NO_PEN, INK_BRUSH);
    EXPECT_EQ(c.at(20, 20), PAPER);
    EXPECT_EQ(c.at(20, 8), INK);
}

TEST(RasterPolygon, FilledTriangleWithThinPenCoversEdgesAndInside) {
    Canvas c(30, 30);
    POINT corners[3] = {{2, 2}, {25, 2}, {2, 25}};
    raster::polygon(c.surface, corners, 3, THIN, INK_BRUSH);
    for (int y = 2; y <= 25; ++y)
        for (int x = 2; x <= 27; ++x) EXPECT_EQ(c.at(x, y), x + y <= 27 ? INK : PAPER) << x << "," << y;
}

TEST(RasterPolygon, CollinearCornersDrawOnlyTheLine) {
    Canvas c(30, 30);
    POINT corners[3] = {{2, 2}, {12, 12}, {22, 22}};
    raster::polygon(c.surface, corners, 3, THIN, RED_BRUSH);
    Pixels diagonal;
    for (int i = 2; i <= 22; ++i) diagonal.insert({i, i});
    EXPECT_EQ(c.inked(), diagonal);
    for (const auto &[x, y] : diagonal) EXPECT_EQ(c.at(x, y), INK);
}

}  // namespace
