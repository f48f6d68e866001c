// The rasteriser on its own, on a canvas of the library's size: each kind of
// shape at the sizes the game draws, the widest exact pens, and shapes so big
// that almost all of them is clipped away, which must cost no more than
// drawing within the canvas.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "gdi/raster/raster.h"

namespace {

namespace raster = qz370::raster;

constexpr int WIDTH = 601;
constexpr int HEIGHT = 540;
constexpr uint32_t COLOUR = 0x336699;

struct Canvas {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(WIDTH * HEIGHT, 0xFFFFFF);
    raster::Surface surface{pixels.data(), WIDTH, HEIGHT, WIDTH, RECT{0, 0, WIDTH, HEIGHT}};
};

constexpr raster::Pen pen(int width) { return {true, width, COLOUR}; }
constexpr raster::Brush FILL = {true, COLOUR};
constexpr raster::Brush HOLLOW = {false, 0};

template <typename Draw>
void run(benchmark::State &state, Draw draw) {
    Canvas canvas;
    for (auto _ : state) {
        draw(canvas.surface);
        benchmark::DoNotOptimize(canvas.pixels.data());
    }
}

void BM_Pixel(benchmark::State &s) { run(s, [](raster::Surface &c) { raster::set_pixel(c, 300, 200, COLOUR); }); }
void BM_FilledRectangleShipBody(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::rectangle(c, 280, 200, 321, 219, pen(0), FILL); });
}
void BM_FilledRectangleWholeCanvas(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::rectangle(c, 0, 0, WIDTH, HEIGHT, pen(1), FILL); });
}
void BM_FramedButton(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::rectangle(c, 2, 5, 78, 31, pen(2), HOLLOW); });
}
void BM_FilledTriangleShipWing(benchmark::State &s) {
    POINT wing[3] = {{260, 225}, {300, 200}, {340, 169}};
    run(s, [&](raster::Surface &c) { raster::polygon(c, wing, 3, pen(0), FILL); });
}
void BM_FilledCircleStar(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::ellipse(c, 298, 198, 303, 203, pen(0), FILL); });
}
void BM_FilledCircleShip(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::ellipse(c, 278, 178, 323, 223, pen(0), FILL); });
}
void BM_ThinLine(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::line(c, 10, 20, 590, 500, pen(1)); });
}
void BM_WideLine9(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::line(c, 10, 20, 590, 500, pen(9)); });
}
void BM_WideTriangle9(benchmark::State &s) {
    POINT corners[3] = {{50, 500}, {550, 480}, {300, 40}};
    run(s, [&](raster::Surface &c) { raster::polygon(c, corners, 3, pen(9), HOLLOW); });
}
void BM_OvalOutlineCanvasSize(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::ellipse(c, 5, 5, 596, 535, pen(1), HOLLOW); });
}
void BM_OvalWidePenCanvasSize(benchmark::State &s) {
    int width = static_cast<int>(s.range(0));
    run(s, [=](raster::Surface &c) { raster::ellipse(c, 40, 40, 561, 500, pen(width), HOLLOW); });
}
void BM_HugeFilledCircle(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::ellipse(c, INT_MIN, INT_MIN, INT_MAX, INT_MAX, pen(0), FILL); });
}
void BM_HugeCircleRimAcrossCanvas(benchmark::State &s) {
    run(s, [](raster::Surface &c) {
        raster::ellipse(c, 300 - 2000000000, 270 - 1000000000, 301, 271 + 1000000000, pen(1), HOLLOW);
    });
}
void BM_HugeWideRimAcrossCanvas(benchmark::State &s) {
    run(s, [](raster::Surface &c) {
        raster::ellipse(c, 300 - 2000000000, 270 - 1000000000, 301, 271 + 1000000000, pen(200), HOLLOW);
    });
}
void BM_HugeLineAcrossRange(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::line(c, INT_MIN, INT_MIN + 7, INT_MAX, INT_MAX - 3, pen(1)); });
}
void BM_HugePenWidth(benchmark::State &s) {
    run(s, [](raster::Surface &c) { raster::line(c, 100, 100, 400, 300, pen(INT_MAX)); });
}
void BM_HugeTriangleOutsideCanvas(benchmark::State &s) {
    POINT corners[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}};
    run(s, [&](raster::Surface &c) { raster::polygon(c, corners, 3, pen(5), FILL); });
}

BENCHMARK(BM_Pixel);
BENCHMARK(BM_FilledRectangleShipBody);
BENCHMARK(BM_FilledRectangleWholeCanvas);
BENCHMARK(BM_FramedButton);
BENCHMARK(BM_FilledTriangleShipWing);
BENCHMARK(BM_FilledCircleStar);
BENCHMARK(BM_FilledCircleShip);
BENCHMARK(BM_ThinLine);
BENCHMARK(BM_WideLine9);
BENCHMARK(BM_WideTriangle9);
BENCHMARK(BM_OvalOutlineCanvasSize);
BENCHMARK(BM_OvalWidePenCanvasSize)->Arg(3)->Arg(9)->Arg(64)->Arg(65);
BENCHMARK(BM_HugeFilledCircle);
BENCHMARK(BM_HugeCircleRimAcrossCanvas);
BENCHMARK(BM_HugeWideRimAcrossCanvas);
BENCHMARK(BM_HugeLineAcrossRange);
BENCHMARK(BM_HugePenWidth);
BENCHMARK(BM_HugeTriangleOutsideCanvas);

}  // namespace
