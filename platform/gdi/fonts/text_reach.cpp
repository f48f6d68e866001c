#include "gdi/fonts/text_reach.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "gdi/fonts/font_face.h"
#include "rects.h"

namespace qz370::fonts {

namespace {

// How far any glyph of a face reaches from its cell: left of the pen, above
// and below the cell, and right of the advance. Never negative.
struct GlyphReach {
    int64_t left;
    int64_t above;
    int64_t right;
    int64_t below;
};

// Every glyph is loaded first, so a reach found once holds for all text.
GlyphReach reach_of_every_glyph(const Face &face)
{
    std::array<char, BYTE_VALUES> every_byte;
    for (int byte = 0; byte < BYTE_VALUES; ++byte) {
        every_byte[byte] = static_cast<char>(byte);
    }
    measure(&face, every_byte.data(), BYTE_VALUES);
    const int64_t height = face.metrics.tmHeight;
    GlyphReach reach{0, 0, 0, 0};
    for (const Glyph &glyph : face.glyphs) {
        const InkBox &ink = glyph.ink;
        if (ink.right <= ink.left) {
            continue;
        }
        reach.left = std::max<int64_t>(reach.left, -int64_t{ink.left});
        reach.above = std::max<int64_t>(reach.above, -int64_t{ink.top});
        reach.right = std::max<int64_t>(reach.right, int64_t{ink.right} - glyph.advance);
        reach.below = std::max<int64_t>(reach.below, int64_t{ink.bottom} - height);
    }
    return reach;
}

const GlyphReach &reach_of(const Face *face)
{
    static std::vector<std::pair<const Face *, GlyphReach>> known;
    for (const auto &[known_face, reach] : known) {
        if (known_face == face) {
            return reach;
        }
    }
    known.emplace_back(face, reach_of_every_glyph(*face));
    return known.back().second;
}

}  // namespace

RECT text_reach(const Face *face, int x, int y, const char *bytes, int count)
{
    if (bytes == nullptr || count <= 0) {
        return RECT{0, 0, 0, 0};
    }
    const GlyphReach &reach = reach_of(face);
    // measure() stops counting at the int limit: so much text reaches the right end.
    const int64_t width = measure(face, bytes, count).cx;
    const int64_t right = width >= INT32_MAX ? INT64_MAX : x + width + reach.right;
    return RECT{platform::clamp_to_int(x - reach.left), platform::clamp_to_int(y - reach.above), platform::clamp_to_int(right),
                platform::clamp_to_int(y + int64_t{face->metrics.tmHeight} + reach.below)};
}

}  // namespace qz370::fonts
