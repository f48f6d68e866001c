// Shapes drawn again elsewhere. A game draws the same small triangles and
// circles at new places every frame, and the pixel rules depend only on a
// shape's corners relative to each other, so a shape's pixels, once worked
// out, are kept as runs along its rows and copied to each new place.
#pragma once

#include "gdi/raster/raster_internal.h"

namespace qz370::raster::detail {

// Each draws the shape from its remembered runs and returns true when it was
// met before and lies wholly inside the clip box; otherwise it returns false
// and the caller draws the shape itself. A shape met a second time is worked
// out on a scratch surface and remembered. Only thin pens are remembered.
bool draw_remembered_polygon(Surface &surface, const Point64 *points, int count, const Pen &pen, const Brush &brush);
bool draw_remembered_ellipse(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height,
                             const Pen &pen, const Brush &brush);

// Whether shapes are remembered at all, for comparing both ways of drawing;
// turning it off also forgets every shape remembered so far.
void remember_shapes(bool on);

}  // namespace qz370::raster::detail
