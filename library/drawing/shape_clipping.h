// Lines and triangles cut to a box around the canvas, so that their corners
// fit the 32-bit Win32 calls. The box reaches far beyond the canvas and any
// pen, so a shape whose corners fit the calls reaches them unchanged and is
// drawn exactly as the platform draws it; only corners beyond the box move.
// Each cut point is worked out in 64 bits from the uncut edge it lies on, so
// the edges that cross the canvas keep their slopes.
#pragma once

#include "coordinate_mapping.h"
#include "library_state.h"

// Every side of the box at most doubles the corners of what is kept; a real
// triangle keeps at most seven, one more for each side that cuts it.
constexpr int MOST_CUT_CORNERS = 3 << 4;

// False when no part of the line reaches the box.
bool cut_line_to_canvas(CanvasPoint from, CanvasPoint to, POINT &cut_from, POINT &cut_to);

// The corners of the part of the triangle inside the box, in order; 0 when
// no part of it is.
int cut_triangle_to_canvas(const CanvasPoint (&corners)[3], POINT (&cut)[MOST_CUT_CORNERS]);
