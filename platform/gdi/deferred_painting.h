// Painting held back: once the whole client of a top-level window scrolls,
// that scroll and every later whole-client scroll, box and text drawn on the
// window wait in a queue until someone reads, shows or otherwise draws on its
// pixels, or the queue grows long. What a later call paints over or scrolls
// away before then is never drawn: the text window, scrolled a line at a
// time, shows only the last of the many lines printed between two looks.
#pragma once

#include "gdi/gdi_internals.h"
#include "user/window_system.h"

namespace qz370::platform {

// Each takes the call into the window's queue instead of drawing it and
// reports it drawn to the display, or returns false for the caller to draw it
// now: a scroll whose rows cannot slide (client_rows_slide), a box or text for
// a window without a queue.
bool defer_client_scroll(HWND hwnd, Window &window, int rows);
// Only boxes that paint all of painted (the context's coordinates) in one
// colour, and nothing else, are taken.
bool defer_painted_box(const DeviceContext &context, int left, int top, int right, int bottom, const raster::Pen &pen,
                       const raster::Brush &brush, const RECT &painted);
bool defer_text(const DeviceContext &context, int x, int y, const char *text, int count);

// Plays what is held back for the window: called before anyone uses its pixels.
void settle_deferred_painting(Window &window);
// Drops what is held back for the window, whose pixels are all replaced.
void discard_deferred_painting(const Window &window);

// With it off every call draws at once (to compare against); on by default.
void set_painting_deferred(bool deferred);

}  // namespace qz370::platform
