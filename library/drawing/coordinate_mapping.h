// Screen coordinates (origin at the window centre, y upwards) to canvas pixels
// (origin top-left, y downwards). Sums are taken in 64 bits and saturated to
// the 32-bit range, so no argument can overflow; a point saturated at the edge
// of the range is as far outside the canvas as the true one.
#pragma once

#include <cstdint>

int32_t saturate_to_int32(int64_t value);

int32_t canvas_x(int32_t x);
int32_t canvas_y(int32_t y);
