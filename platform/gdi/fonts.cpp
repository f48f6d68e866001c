// Placeholder until the font mapper lands.
#include "gdi/font.h"

namespace qz370::fonts {

struct Face {};
const Face *face_for(Family, int, int) { static Face face; return &face; }
void metrics(const Face *, TEXTMETRICA *out) { *out = TEXTMETRICA{}; out->tmHeight = 13; out->tmAveCharWidth = 8; }
SIZE measure(const Face *, const char *, int count) { return SIZE{8 * count, 13}; }
void draw(raster::Surface &, const Face *, int, int, const char *, int, uint32_t, const uint32_t *) {}

}  // namespace qz370::fonts
