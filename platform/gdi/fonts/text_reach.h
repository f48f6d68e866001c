// How far drawn text can reach, known without drawing it: for callers that
// hold text back and must know which pixels it would change.
#pragma once

#include "gdi/fonts/font.h"

namespace qz370::fonts {

// A box holding every pixel draw() may change for these bytes with the first
// cell's top-left corner at (x, y), before any clipping: the cells and any
// glyph of the face reaching beyond its cell. Empty when draw() changes none.
RECT text_reach(const Face *face, int x, int y, const char *bytes, int count);

}  // namespace qz370::fonts
