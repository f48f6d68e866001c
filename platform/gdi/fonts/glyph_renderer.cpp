#include <algorithm>
#include <vector>

#include "gdi/fonts/cp1252.h"
#include "gdi/fonts/font_face.h"

namespace qz370::fonts {

namespace {

constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char DELETE_CONTROL = 0x7F;
constexpr FT_UInt MISSING_GLYPH = 0;
constexpr unsigned char GRAY_THRESHOLD = 128;

FT_UInt glyph_index(FT_Face ft, unsigned char byte) {
    if (byte < FIRST_PRINTABLE || byte == DELETE_CONTROL) {
        return MISSING_GLYPH;
    }
    uint32_t code_point = unicode_from_cp1252(byte);
    return code_point == 0 ? MISSING_GLYPH : FT_Get_Char_Index(ft, code_point);
}

// A bitmap with an upward flow (negative pitch) keeps its top row last in memory.
const unsigned char *row_start(const FT_Bitmap &bitmap, int row) {
    ptrdiff_t pitch = bitmap.pitch;
    ptrdiff_t top_row = pitch >= 0 ? 0 : static_cast<ptrdiff_t>(bitmap.rows - 1) * -pitch;
    return bitmap.buffer + top_row + row * pitch;
}

bool pixel_set(const FT_Bitmap &bitmap, int row, int column) {
    const unsigned char *line = row_start(bitmap, row);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (line[column >> 3] >> (7 - (column & 7))) & 1;
    }
    return line[column] >= GRAY_THRESHOLD;
}

void collect_spans(const FT_GlyphSlot slot, int ascent, std::vector<Span> &spans) {
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        return;
    }
    int width = static_cast<int>(bitmap.width);
    int top = ascent - slot->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        int column = 0;
        while (column < width) {
            while (column < width && !pixel_set(bitmap, row, column)) {
                ++column;
            }
            int start = column;
            while (column < width && pixel_set(bitmap, row, column)) {
                ++column;
            }
            if (column > start) {
                spans.push_back(Span{top + row, slot->bitmap_left + start, slot->bitmap_left + column});
            }
        }
    }
}

InkBox ink_of(const std::vector<Span> &spans) {
    if (spans.empty()) {
        return InkBox{};
    }
    InkBox ink{spans.front().row, spans.back().row + 1, spans.front().left, spans.front().right};
    for (const Span &span : spans) {
        ink.left = std::min(ink.left, span.left);
        ink.right = std::max(ink.right, span.right);
    }
    return ink;
}

std::vector<ColumnRun> column_runs(const std::vector<Span> &spans, const InkBox &ink) {
    const int width = ink.right - ink.left, height = ink.bottom - ink.top;
    std::vector<bool> set(static_cast<size_t>(width) * height, false);
    for (const Span &span : spans) {
        for (int x = span.left; x < span.right; ++x) {
            set[static_cast<size_t>(span.row - ink.top) * width + (x - ink.left)] = true;
        }
    }
    std::vector<ColumnRun> runs;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height;) {
            if (!set[static_cast<size_t>(y) * width + x]) {
                ++y;
                continue;
            }
            int end = y;
            while (end < height && set[static_cast<size_t>(end) * width + x]) {
                ++end;
            }
            runs.push_back(ColumnRun{ink.left + x, ink.top + y, ink.top + end});
            y = end;
        }
    }
    return runs;
}

}  // namespace

void render_glyph(FT_Face ft, unsigned char byte, int ascent, Glyph &glyph) {
    glyph.loaded = true;
    if (FT_Load_Glyph(ft, glyph_index(ft, byte), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        return;
    }
    glyph.advance = static_cast<int>(std::max<FT_Pos>(0, (ft->glyph->advance.x + 32) >> 6));
    collect_spans(ft->glyph, ascent, glyph.spans);
    glyph.ink = ink_of(glyph.spans);
    std::vector<ColumnRun> columns = column_runs(glyph.spans, glyph.ink);
    if (columns.size() < glyph.spans.size()) {
        glyph.columns = std::move(columns);
    }
}

}  // namespace qz370::fonts
