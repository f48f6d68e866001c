// Screen coordinates (origin at the window centre, y upwards) to canvas pixels
// (origin top-left, y downwards). Sums are taken in 64 bits. A lone point is
// saturated to the 32-bit range, which keeps it as far outside the canvas as
// the true one; the corners of lines and polygons stay in 64 bits until they
// are cut to the canvas, since saturating them one by one would tilt the edges.
#pragma once

#include <cstdint>

struct CanvasPoint {
    int64_t x;
    int64_t y;
};

int32_t saturate_to_int32(int64_t value);

CanvasPoint mapped_point(int32_t x, int32_t y);

int32_t canvas_x(int32_t x);
int32_t canvas_y(int32_t y);
