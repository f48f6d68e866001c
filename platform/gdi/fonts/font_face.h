// What the font module keeps for each face it has made: the FreeType face at
// its pixel size, the metrics it reports, and the glyphs drawn so far.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <vector>

#include "gdi/fonts/font.h"

namespace qz370::fonts {

// A run of set pixels on one row of a glyph, relative to the top-left corner
// of the character cell at the pen position; right is excluded.
struct Span {
    int row;
    int left;
    int right;
};

// A run of set pixels down one column of a glyph, from top to bottom
// (excluded), relative to the cell's top-left corner at the pen position.
struct ColumnRun {
    int column;
    int top;
    int bottom;
};

// The smallest box around a glyph's spans, relative to the cell's top-left
// corner at the pen position; empty (right <= left) for a blank glyph.
struct InkBox {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

struct Glyph {
    bool loaded = false;
    int advance = 0;
    std::vector<Span> spans;
    // The same pixels down the columns, kept only when they are fewer runs
    // than the spans: a stem is then one run instead of one span a row.
    std::vector<ColumnRun> columns;
    InkBox ink;
};

constexpr int BYTE_VALUES = 256;

// A face request reduced to what tells faces apart.
struct FaceRequest {
    Family family;
    bool by_cell;  // pixels is the cell height; otherwise the em height
    int pixels;
    bool bold;
};

struct Face {
    FaceRequest request;
    FT_Face ft;  // null when no font could be loaded: the text then has metrics but no pixels
    TEXTMETRICA metrics;
    mutable std::array<Glyph, BYTE_VALUES> glyphs;  // filled on first use
};

// Renders the glyph of a Windows-1252 byte monochrome, baseline ascent rows
// below the cell's top. Bytes without a glyph of their own, controls included,
// get the face's missing glyph.
void render_glyph(FT_Face ft, unsigned char byte, int ascent, Glyph &glyph);

}  // namespace qz370::fonts
