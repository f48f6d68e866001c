// Clipping and extreme arguments: nothing is ever written outside the clip
// box, a clipped shape shows exactly the pixels of the whole shape, and
// coordinates, widths and radii anywhere in the 32-bit range are drawn at the
// cost of the visible part, without overflow.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "raster_test_canvas.h"

namespace {

using namespace qz370::raster_test;
namespace raster = qz370::raster;

using Draw = std::function<void(raster::Surface &)>;

// Shapes that cross the edges of a 60 by 60 canvas in every way.
std::vector<Draw> crossing_shapes() {
    std::vector<Draw> shapes;
    for (int width : {1, 2, 5, 9}) {
        raster::Pen pen = wide_pen(width);
        shapes.push_back([=](raster::Surface &s) { raster::line(s, -20, 7, 75, 50, pen); });
        shapes.push_back([=](raster::Surface &s) { raster::line(s, 30, -40, 33, 90, pen); });
        shapes.push_back([=](raster::Surface &s) { raster::line(s, 70, 20, -9, -3, pen); });
        shapes.push_back([=](raster::Surface &s) { raster::rectangle(s, -5, 10, 65, 50, pen, INK_BRUSH); });
        shapes.push_back([=](raster::Surface &s) { raster::ellipse(s, -30, -12, 40, 45, pen, NO_BRUSH); });
        shapes.push_back([=](raster::Surface &s) { raster::ellipse(s, 20, 5, 90, 70, pen, RED_BRUSH); });
        shapes.push_back([=](raster::Surface &s) {
            POINT corners[3] = {{-25, 30}, {50, -15}, {80, 80}};
            raster::polygon(s, corners, 3, pen, RED_BRUSH);
        });
    }
    shapes.push_back([](raster::Surface &s) {
        for (int i = -3; i < 63; ++i) raster::set_pixel(s, i, 2 * i - 30, INK);
    });
    shapes.push_back([](raster::Surface &s) { raster::fill_rect(s, RECT{-10, 55, 70, 80}, INK); });
    return shapes;
}

TEST(RasterClipping, NothingIsWrittenOutsideTheClipBox) {
    constexpr int GUARD = 10;
    for (const Draw &draw : crossing_shapes()) {
        Canvas c(60, 60, GUARD);
        draw(c.surface);
        for (const auto &[x, y] : c.inked())
            ASSERT_TRUE(x >= GUARD && x < 60 - GUARD && y >= GUARD && y < 60 - GUARD) << x << "," << y;
    }
}

TEST(RasterClipping, ClippedShapeShowsExactlyThePixelsOfTheWholeShape) {
    for (const Draw &draw : crossing_shapes()) {
        Canvas whole(60, 60), clipped(60, 60);
        clipped.surface.clip = RECT{13, 7, 41, 52};
        draw(whole.surface);
        draw(clipped.surface);
        for (int y = 7; y < 52; ++y)
            for (int x = 13; x < 41; ++x) ASSERT_EQ(clipped.at(x, y), whole.at(x, y)) << x << "," << y;
    }
}

TEST(RasterExtremes, LineAcrossTheWholeRangeKeepsItsSlope) {
    Canvas diagonal(40, 40), row(40, 40), column(40, 40);
    raster::line(diagonal.surface, INT_MIN, INT_MIN, INT_MAX, INT_MAX, THIN);
    Pixels expected;
    for (int i = 0; i < 40; ++i) expected.insert({i, i});
    EXPECT_EQ(diagonal.inked(), expected);
    raster::line(row.surface, INT_MAX, 5, INT_MIN, 5, THIN);
    EXPECT_EQ(row.inked(), box_pixels(0, 5, 40, 6));
    raster::line(column.surface, 7, INT_MIN, 7, INT_MAX, wide_pen(3));
    EXPECT_EQ(column.inked(), box_pixels(6, 0, 9, 40));
}

TEST(RasterExtremes, LongShallowLineHasTheRightPixelsWhereItIsVisible) {
    // From (-3e9 / 3, -1e9 / 3)-ish: the line y = x / 3 + 10, seen far from its ends.
    Canvas c(60, 40);
    raster::line(c.surface, -2147483646, -715827882 + 10, 2147483646, 715827882 + 10, THIN);
    for (int x = 0; x < 60; ++x) {
        int y = (x + 1) / 3 + 10;  // y = x/3 + 10 rounded, thirds never tie
        if (x % 3 == 2) y = x / 3 + 11;
        EXPECT_EQ(c.at(x, y), INK) << x;
    }
    EXPECT_EQ(c.inked().size(), 60u);
}

TEST(RasterExtremes, WidestPensCoverTheCanvas) {
    Canvas line(30, 30), box(30, 30), oval(30, 30), triangle(30, 30);
    raster::line(line.surface, 3, 3, 3, 3, wide_pen(INT_MAX));
    raster::rectangle(box.surface, -100000, -100000, 100000, 100000, wide_pen(INT_MAX), NO_BRUSH);
    raster::ellipse(oval.surface, 10, 10, 12, 13, wide_pen(INT_MAX), NO_BRUSH);
    POINT corners[3] = {{0, 0}, {29, 5}, {INT_MAX, INT_MIN}};
    raster::polygon(triangle.surface, corners, 3, wide_pen(INT_MAX), NO_BRUSH);
    for (Canvas *c : {&line, &box, &oval, &triangle}) EXPECT_EQ(c->inked(), box_pixels(0, 0, 30, 30));
}

TEST(RasterExtremes, HugeFilledShapesAroundTheCanvasCoverIt) {
    Canvas oval(30, 30), box(30, 30), triangle(30, 30);
    raster::ellipse(oval.surface, INT_MIN, INT_MIN, INT_MAX, INT_MAX, THIN, INK_BRUSH);
    raster::rectangle(box.surface, INT_MAX, INT_MAX, INT_MIN, INT_MIN, THIN, INK_BRUSH);
    POINT corners[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
    raster::polygon(triangle.surface, corners, 3, THIN, INK_BRUSH);
    for (Canvas *c : {&oval, &box, &triangle}) EXPECT_EQ(c->inked(), box_pixels(0, 0, 30, 30));
}

TEST(RasterExtremes, HugeOutlinesAroundTheCanvasLeaveItBlank) {
    Canvas c(30, 30);
    raster::ellipse(c.surface, INT_MIN, INT_MIN, INT_MAX, INT_MAX, wide_pen(7), NO_BRUSH);
    raster::rectangle(c.surface, -1000000, -1000000, 1000000, 1000000, wide_pen(50), NO_BRUSH);
    POINT corners[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
    raster::polygon(c.surface, corners, 3, THIN, NO_BRUSH);
    EXPECT_TRUE(c.inked().empty());
}

// A circle far bigger than the walk handles pixel by pixel still has a rim
// one pixel thin where it crosses the canvas, in the right place.
TEST(RasterExtremes, RimOfAGiantCircleCrossesTheCanvasWhereItShould) {
    constexpr int RADIUS = 1000000000;
    Canvas c(40, 40);
    raster::ellipse(c.surface, 20 - 2 * RADIUS, 20 - RADIUS, 21, 21 + RADIUS, THIN, NO_BRUSH);
    for (int y = 0; y < 40; ++y) {
        int inked = 0;
        for (int x = 0; x < 40; ++x) inked += c.at(x, y) == INK;
        EXPECT_EQ(inked, 1) << "row " << y;
        EXPECT_EQ(c.at(20, y), INK) << "row " << y;  // the circle is almost straight here
    }
}

TEST(RasterExtremes, WidthsBelowOneDrawOnePixelWide) {
    Canvas negative(30, 30), one(30, 30);
    raster::line(negative.surface, 2, 3, 27, 19, wide_pen(-5));
    raster::line(one.surface, 2, 3, 27, 19, THIN);
    EXPECT_EQ(negative.pixels, one.pixels);
}

}  // namespace
