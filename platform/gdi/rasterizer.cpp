// Placeholder until the rasteriser lands.
#include "gdi/raster.h"

namespace qz370::raster {

uint32_t from_colorref(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }
COLORREF to_colorref(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }
void set_pixel(Surface &, int, int, uint32_t) {}
void fill_rect(Surface &, const RECT &, uint32_t) {}
void rectangle(Surface &, int, int, int, int, const Pen &, const Brush &) {}
void ellipse(Surface &, int, int, int, int, const Pen &, const Brush &) {}
void polygon(Surface &, const POINT *, int, const Pen &, const Brush &) {}
void line(Surface &, int, int, int, int, const Pen &) {}

}  // namespace qz370::raster
