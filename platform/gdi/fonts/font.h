// Fonts: this platform's font mapper. Faces are the library's own (faces/) and
// drawn with FreeType, monochrome, from Windows-1252 bytes.
#pragma once

#include <windows.h>

#include "gdi/raster/raster.h"

namespace qz370::fonts {

enum class Family {
    Sans,    // what a request for a face we do not carry ("QZ370-font") maps to
    Mono,    // ANSI_FIXED_FONT
    System,  // SYSTEM_FONT: menus, dialogs, dialog units
};

struct Face;

// A face of the given family. height follows CreateFontA: negative asks for a
// character height of -height pixels, positive for a cell height, 0 for the
// default size. Faces are cached; the pointer stays valid for the process.
const Face *face_for(Family family, int height, int weight);

void metrics(const Face *face, TEXTMETRICA *out);
// Width: the sum of the bytes' advances; height: the cell's (tmHeight).
SIZE measure(const Face *face, const char *bytes, int count);

// Draws count bytes with the top-left corner of the first character cell at
// (x, y). With background non-null each cell is first filled with it. Bytes
// without a glyph, control bytes among them, draw the face's missing glyph;
// a count of 0 or less draws nothing. Only pixels inside surface.clip change,
// wherever in the int range (x, y) lies. The result bounds the pixels that
// may have changed, within the clip box; empty when none did.
RECT draw(raster::Surface &surface, const Face *face, int x, int y, const char *bytes, int count, uint32_t color,
          const uint32_t *background);

}  // namespace qz370::fonts
