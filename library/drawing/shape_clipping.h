// Lines and triangles cut to a box around the canvas, so that their corners
// fit the 32-bit Win32 calls. Each cut point is worked out in 64 bits from the
// uncut edge it lies on, so the edges that cross the canvas keep their slopes.
// The box is wider than the canvas by more than half the pen, so nothing the
// pen draws along the box or at a cut end reaches the canvas.
#pragma once

#include <cstdint>

#include "coordinate_mapping.h"
#include "library_state.h"

// Every side of the box at most doubles the corners of what is kept; a real
// triangle keeps at most seven, one more for each side that cuts it.
constexpr int MOST_CUT_CORNERS = 3 << 4;

// False when no part of the line reaches the box.
bool cut_line_to_canvas(CanvasPoint from, CanvasPoint to, int32_t pen_width, POINT &cut_from, POINT &cut_to);

// The corners of the part of the triangle inside the box, in order; 0 when
// no part of it is.
int cut_triangle_to_canvas(const CanvasPoint (&corners)[3], int32_t pen_width, POINT (&cut)[MOST_CUT_CORNERS]);
