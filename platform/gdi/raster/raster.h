// The canvas rasteriser: GDI's pixel rules for rectangles, ellipses, polygons
// and lines on a plain pixel surface. Coordinates may be any 32-bit value;
// everything is clipped to the surface's clip box before it is rasterised, so
// a shape far outside costs no more than one inside.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qz370::raster {

// Pixels are 0x00RRGGBB. Only pixels inside clip (right and bottom excluded)
// are ever written; clip lies within the surface.
struct Surface {
    uint32_t *pixels;
    int width;
    int height;
    int stride;  // in pixels
    RECT clip;
};

// A solid pen: width 0 and 1 both draw one pixel wide; wider pens have round
// ends and joins. An invisible pen draws nothing.
struct Pen {
    bool visible;
    int width;
    uint32_t color;
};

struct Brush {
    bool visible;
    uint32_t color;
};

uint32_t from_colorref(COLORREF color);
COLORREF to_colorref(uint32_t pixel);

void set_pixel(Surface &surface, int x, int y, uint32_t color);
void fill_rect(Surface &surface, const RECT &box, uint32_t color);  // right and bottom excluded

// The shapes take Win32's arguments: boxes leave out their right column and
// bottom row; a line leaves out its end point. As GDI draws them: a box is put
// in order first, and one without width or height draws nothing; a thin pen
// outlines a one-pixel box with nothing; an ellipse box two pixels thin or less
// is drawn as a rectangle; polygons fill by the alternate rule.
void rectangle(Surface &surface, int left, int top, int right, int bottom, const Pen &pen, const Brush &brush);
void ellipse(Surface &surface, int left, int top, int right, int bottom, const Pen &pen, const Brush &brush);
void polygon(Surface &surface, const POINT *points, int count, const Pen &pen, const Brush &brush);
void line(Surface &surface, int x0, int y0, int x1, int y1, const Pen &pen);

}  // namespace qz370::raster
