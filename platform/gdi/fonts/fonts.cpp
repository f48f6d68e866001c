#include <algorithm>
#include <climits>
#include <cstdint>

#include "gdi/fonts/font_face.h"
#include "gdi/fonts/carried_faces.h"
#include "rects.h"

#include FT_TRUETYPE_TABLES_H

namespace qz370::fonts {

namespace {

constexpr int SANS_DEFAULT_CELL = 16;
constexpr int MONO_DEFAULT_CELL = 13;  // the classic fixed font's cell
constexpr int SYSTEM_DEFAULT_CELL = 16;
// Larger requests are cut to this: no screen needs more, and it bounds the
// memory a face's glyphs can take.
constexpr int MAX_PIXEL_HEIGHT = 1024;
constexpr int SCREEN_DPI = 96;
constexpr unsigned char AVERAGE_WIDTH_SAMPLE = 'x';
constexpr unsigned char REPORTED_DEFAULT_CHAR = 0x7F;

// Vertical metrics in font units: the ascent and descent that Win32 takes for
// the cell (usWinAscent and usWinDescent).
struct DesignMetrics {
    int64_t units_per_em;
    int64_t ascent;
    int64_t descent;
};

// Proportions assumed when no font file could be loaded at all.
constexpr DesignMetrics FALLBACK_DESIGN = {1000, 800, 200};

struct PixelSize {
    int em;
    int ascent;
    int descent;
};

int default_cell(Family family) {
    switch (family) {
    case Family::Mono: return MONO_DEFAULT_CELL;
    case Family::System: return SYSTEM_DEFAULT_CELL;
    case Family::Sans: break;
    }
    return SANS_DEFAULT_CELL;
}

int64_t rounded_ratio(int64_t numerator, int64_t denominator) { return (2 * numerator + denominator) / (2 * denominator); }

// CreateFontA's reading of height: negative is the em, positive the whole
// cell, 0 the family's default cell.
FaceRequest request_for(Family family, int height, int weight) {
    int64_t magnitude = height == 0 ? default_cell(family) : height < 0 ? -int64_t{height} : int64_t{height};
    return FaceRequest{family, height >= 0, static_cast<int>(std::min<int64_t>(magnitude, MAX_PIXEL_HEIGHT)),
                       family == Family::System || weight >= FW_BOLD};
}

bool same_request(const FaceRequest &a, const FaceRequest &b) {
    return a.family == b.family && a.by_cell == b.by_cell && a.pixels == b.pixels && a.bold == b.bold;
}

PixelSize pixel_size(const FaceRequest &request, const DesignMetrics &design) {
    int64_t magnitude = request.pixels;
    int64_t design_cell = design.ascent + design.descent;
    if (!request.by_cell) {
        return PixelSize{static_cast<int>(magnitude),
                         static_cast<int>(rounded_ratio(magnitude * design.ascent, design.units_per_em)),
                         static_cast<int>(rounded_ratio(magnitude * design.descent, design.units_per_em))};
    }
    int ascent = static_cast<int>(rounded_ratio(magnitude * design.ascent, design_cell));
    int em = static_cast<int>(std::max<int64_t>(1, rounded_ratio(magnitude * design.units_per_em, design_cell)));
    return PixelSize{em, ascent, static_cast<int>(magnitude) - ascent};
}

DesignMetrics design_metrics(FT_Face ft) {
    if (ft == nullptr || ft->units_per_EM == 0) {
        return FALLBACK_DESIGN;
    }
    DesignMetrics design{ft->units_per_EM, ft->ascender, -int64_t{ft->descender}};
    if (auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2))) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            design.ascent = os2->usWinAscent;
            design.descent = os2->usWinDescent;
        }
    }
    if (design.ascent < 0 || design.descent < 0 || design.ascent + design.descent == 0) {
        return FALLBACK_DESIGN;
    }
    return design;
}

FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return library;
}

FT_Face open_face(Family family, bool bold) {
    FaceBytes file = carried_face(family, bold);
    FT_Face ft = nullptr;
    if (freetype() == nullptr ||
        FT_New_Memory_Face(freetype(), file.data, static_cast<FT_Long>(file.size), 0, &ft) != 0) {
        return nullptr;
    }
    return ft;
}

bool set_em(FT_Face ft, int em) {
    if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(em)) == 0) {
        return true;
    }
    FT_Done_Face(ft);
    return false;
}

const Glyph &glyph_of(const Face &face, unsigned char byte) {
    Glyph &glyph = face.glyphs[byte];
    if (!glyph.loaded) {
        if (face.ft != nullptr) {
            render_glyph(face.ft, byte, face.metrics.tmAscent, glyph);
        } else {
            glyph.loaded = true;
            glyph.advance = face.metrics.tmAveCharWidth;
        }
    }
    return glyph;
}

TEXTMETRICA metrics_for(const FaceRequest &request, const PixelSize &size, bool scalable) {
    TEXTMETRICA metrics{};
    metrics.tmHeight = size.ascent + size.descent;
    metrics.tmAscent = size.ascent;
    metrics.tmDescent = size.descent;
    metrics.tmInternalLeading = std::max(0, metrics.tmHeight - size.em);
    metrics.tmAveCharWidth = std::max(1, metrics.tmHeight / 2);  // until the face's own is known
    metrics.tmWeight = request.bold ? FW_BOLD : FW_NORMAL;
    metrics.tmDigitizedAspectX = SCREEN_DPI;
    metrics.tmDigitizedAspectY = SCREEN_DPI;
    metrics.tmFirstChar = ' ';
    metrics.tmLastChar = UCHAR_MAX;
    metrics.tmDefaultChar = REPORTED_DEFAULT_CHAR;
    metrics.tmBreakChar = ' ';
    // Win32's TMPF_FIXED_PITCH bit, despite its name, marks a variable pitch.
    bool mono = request.family == Family::Mono;
    metrics.tmPitchAndFamily = static_cast<BYTE>((mono ? FF_MODERN : FF_SWISS | TMPF_FIXED_PITCH) |
                                                 (scalable ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
    metrics.tmCharSet = ANSI_CHARSET;
    return metrics;
}

Face *make_face(const FaceRequest &request) {
    FT_Face ft = open_face(request.family, request.bold);
    PixelSize size = pixel_size(request, design_metrics(ft));
    if (ft != nullptr && !set_em(ft, size.em)) {
        ft = nullptr;
    }
    auto *face = new Face{request, ft, metrics_for(request, size, ft != nullptr), {}};
    int average = glyph_of(*face, AVERAGE_WIDTH_SAMPLE).advance;
    face->metrics.tmAveCharWidth = average;
    face->metrics.tmMaxCharWidth = average;
    if (ft != nullptr) {
        int widest = static_cast<int>((ft->size->metrics.max_advance + 63) >> 6);
        face->metrics.tmMaxCharWidth = std::max(average, widest);
    }
    return face;
}

// Faces live as long as the process: callers keep the pointers.
std::vector<Face *> &face_cache() {
    static auto *faces = new std::vector<Face *>;
    return *faces;
}

int64_t text_width(const Face &face, const char *bytes, int count) {
    int64_t width = 0;
    for (int i = 0; i < count; ++i) {
        width += glyph_of(face, static_cast<unsigned char>(bytes[i])).advance;
    }
    return width;
}

// One row of pixels from left to right (excluded), cut to the clip box; the
// coordinates are wide so that no position near the int limits can wrap.
void fill_row(raster::Surface &surface, int64_t row, int64_t left, int64_t right, uint32_t color) {
    const RECT &clip = surface.clip;
    if (row < clip.top || row >= clip.bottom) {
        return;
    }
    left = std::max<int64_t>(left, clip.left);
    right = std::min<int64_t>(right, clip.right);
    uint32_t *line = surface.pixels + row * surface.stride;
    for (int64_t x = left; x < right; ++x) {
        line[x] = color;
    }
}

// Most glyphs lie wholly inside the clip box or wholly outside it; only the
// few across its edge need each span cut. The result is the glyph's ink box
// within the clip box.
RECT draw_glyph(raster::Surface &surface, const Glyph &glyph, int64_t pen_x, int64_t top, uint32_t color) {
    const RECT &clip = surface.clip;
    const InkBox &ink = glyph.ink;
    const int64_t left = pen_x + ink.left, right = pen_x + ink.right;
    const int64_t first_row = top + ink.top, end_row = top + ink.bottom;
    const RECT inked = platform::clipped(left, first_row, right, end_row, clip);
    if (platform::is_empty(inked)) {
        return inked;
    }
    if (left < clip.left || right > clip.right || first_row < clip.top || end_row > clip.bottom) {
        for (const Span &span : glyph.spans) {
            fill_row(surface, top + span.row, pen_x + span.left, pen_x + span.right, color);
        }
        return inked;
    }
    // The stride in a local: a pixel written could, as far as the compiler
    // knows, be the surface's stride, which it would then read again.
    const int64_t stride = surface.stride;
    uint32_t *const cell = surface.pixels + top * stride + pen_x;
    if (!glyph.columns.empty()) {
        for (const ColumnRun &run : glyph.columns) {
            uint32_t *pixel = cell + run.top * stride + run.column;
            for (int row = run.top; row < run.bottom; ++row, pixel += stride) {
                *pixel = color;
            }
        }
        return inked;
    }
    for (const Span &span : glyph.spans) {
        uint32_t *const line = cell + span.row * stride;
        std::fill(line + span.left, line + span.right, color);
    }
    return inked;
}

}  // namespace

const Face *face_for(Family family, int height, int weight) {
    FaceRequest request = request_for(family, height, weight);
    for (const Face *face : face_cache()) {
        if (same_request(face->request, request)) {
            return face;
        }
    }
    face_cache().push_back(make_face(request));
    return face_cache().back();
}

void metrics(const Face *face, TEXTMETRICA *out) { *out = face->metrics; }

SIZE measure(const Face *face, const char *bytes, int count) {
    if (bytes == nullptr || count <= 0) {
        return SIZE{0, face->metrics.tmHeight};
    }
    int64_t width = std::min<int64_t>(text_width(*face, bytes, count), INT32_MAX);
    return SIZE{static_cast<LONG>(width), face->metrics.tmHeight};
}

RECT draw(raster::Surface &surface, const Face *face, int x, int y, const char *bytes, int count, uint32_t color,
          const uint32_t *background) {
    if (bytes == nullptr || count <= 0) {
        return RECT{0, 0, 0, 0};
    }
    RECT changed{0, 0, 0, 0};
    if (background != nullptr) {
        const int64_t right = x + text_width(*face, bytes, count), bottom = int64_t{y} + face->metrics.tmHeight;
        for (int64_t row = y; row < bottom; ++row) {
            fill_row(surface, row, x, right, *background);
        }
        changed = platform::clipped(x, y, right, bottom, surface.clip);
    }
    int64_t pen_x = x;
    for (int i = 0; i < count; ++i) {
        const Glyph &glyph = glyph_of(*face, static_cast<unsigned char>(bytes[i]));
        changed = platform::joined(changed, draw_glyph(surface, glyph, pen_x, y, color));
        pen_x += glyph.advance;
    }
    return changed;
}

}  // namespace qz370::fonts
