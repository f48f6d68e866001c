// Shapes drawn from the shape memory are pixel for pixel the shapes worked out
// afresh, wherever they are moved: inside the clip box, across its edges, and
// met once, twice or many times.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "gdi/raster/shape_memory.h"
#include "raster_test_canvas.h"

namespace {

using namespace qz370::raster_test;
namespace raster = qz370::raster;

using Draw = std::function<void(raster::Surface &, int dx, int dy)>;

// A shape and the far corner of the box it keeps to, its near corner at 0, 0.
struct Shape {
    Draw draw;
    int right, bottom;
};

constexpr raster::Pen RED_PEN = {true, 1, RED};
constexpr raster::Pen THICK = {true, 3, INK};

Shape polygon(std::vector<POINT> corners, raster::Pen pen, raster::Brush brush) {
    int right = 0, bottom = 0;
    for (const POINT &p : corners) right = std::max<int>(right, p.x), bottom = std::max<int>(bottom, p.y);
    return {[=](raster::Surface &s, int dx, int dy) {
                std::vector<POINT> moved = corners;
                for (POINT &p : moved) p = POINT{p.x + dx, p.y + dy};
                raster::polygon(s, moved.data(), static_cast<int>(moved.size()), pen, brush);
            },
            right, bottom};
}

Shape ellipse(int width, int height, raster::Pen pen, raster::Brush brush) {
    return {[=](raster::Surface &s, int dx, int dy) { raster::ellipse(s, dx, dy, dx + width, dy + height, pen, brush); },
            width - 1, height - 1};
}

std::vector<Shape> shapes() {
    const std::vector<POINT> sliver = {{0, 25}, {40, 50}, {80, 81}};
    const std::vector<POINT> wedge = {{0, 0}, {40, 0}, {80, 31}};
    return {
        polygon(sliver, THIN, INK_BRUSH),   polygon(sliver, RED_PEN, INK_BRUSH),
        polygon(wedge, THIN, NO_BRUSH),     polygon(wedge, NO_PEN, RED_BRUSH),
        polygon(wedge, THICK, RED_BRUSH),   polygon({{0, 0}, {9, 0}, {30, 0}}, THIN, INK_BRUSH),
        polygon({{5, 0}, {11, 20}, {0, 7}, {10, 7}, {0, 20}}, RED_PEN, INK_BRUSH),
        polygon({{0, 3}, {3, 0}, {7, 0}, {10, 3}, {10, 7}, {7, 10}, {3, 10}, {0, 7}}, THIN, RED_BRUSH),
        polygon({{0, 0}, {4, 1}, {8, 0}, {9, 4}, {8, 8}, {4, 9}, {0, 8}, {1, 4}, {0, 2}}, THIN, RED_BRUSH),
        // Too many runs to keep: drawn afresh every time.
        polygon({{0, 0}, {126, 20}, {0, 40}, {126, 60}, {0, 80}, {126, 100}, {0, 126}, {63, 126}}, RED_PEN, INK_BRUSH),
        ellipse(3, 3, THIN, INK_BRUSH),     ellipse(9, 9, RED_PEN, INK_BRUSH),
        ellipse(45, 45, THIN, INK_BRUSH),   ellipse(20, 7, THIN, NO_BRUSH),
        ellipse(21, 40, NO_PEN, RED_BRUSH), ellipse(12, 2, THIN, RED_BRUSH),
        ellipse(9, 9, THICK, RED_BRUSH),    ellipse(140, 60, THIN, RED_BRUSH),
    };
}

constexpr int WIDTH = 200, HEIGHT = 160, GUARD = 4;

// Wholly inside the clip box, touching each of its edges from inside and
// crossing it by one pixel, far across, and back inside.
std::vector<POINT> places_for(const Shape &shape) {
    const int left = GUARD, top = GUARD, right = WIDTH - GUARD - 1 - shape.right,
              bottom = HEIGHT - GUARD - 1 - shape.bottom;
    return {{left + 6, top + 6}, {left, top + 3},      {left - 1, top + 3},  {left + 3, top},
            {left + 3, top - 1}, {right, top + 3},     {right + 1, top + 3}, {left + 3, bottom},
            {left + 3, bottom + 1}, {-40, 30},         {left + 6, top + 6}};
}

TEST(ShapeMemory, ShapesMovedAnywhereDrawAsWorkedOutAfresh) {
    for (size_t index = 0; index < shapes().size(); ++index) {
        const Shape shape = shapes()[index];
        const std::vector<POINT> places = places_for(shape);
        std::vector<Canvas> afresh;
        qz370::raster::detail::remember_shapes(false);
        for (const POINT &place : places) {
            afresh.emplace_back(WIDTH, HEIGHT, GUARD);
            shape.draw(afresh.back().surface, place.x, place.y);
        }
        qz370::raster::detail::remember_shapes(true);
        for (int round = 0; round < 2; ++round) {
            for (size_t i = 0; i < places.size(); ++i) {
                Canvas remembered(WIDTH, HEIGHT, GUARD);
                shape.draw(remembered.surface, places[i].x, places[i].y);
                EXPECT_EQ(remembered.pixels, afresh[i].pixels) << "shape " << index << ", place " << i;
            }
        }
    }
}

}  // namespace
