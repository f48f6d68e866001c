// Clipped spans: the only place the rasteriser writes pixels.
#include <algorithm>

#include "gdi/raster_internal.h"

namespace qz370::raster::detail {

void fill_span(Surface &surface, int64_t y, int64_t x_first, int64_t x_last, uint32_t color) {
    if (y < surface.clip.top || y >= surface.clip.bottom) return;
    int64_t first = std::max<int64_t>(x_first, surface.clip.left);
    int64_t last = std::min<int64_t>(x_last, int64_t{surface.clip.right} - 1);
    if (first > last) return;
    uint32_t *row = surface.pixels + y * surface.stride;
    std::fill(row + first, row + last + 1, color);
}

bool visible_rows(const Surface &surface, int64_t top, int64_t bottom, int64_t *first, int64_t *last) {
    *first = std::max<int64_t>(top, surface.clip.top);
    *last = std::min<int64_t>(bottom, int64_t{surface.clip.bottom} - 1);
    return *first <= *last;
}

bool box_visible(const Surface &surface, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return left < surface.clip.right && right >= surface.clip.left && top < surface.clip.bottom &&
           bottom >= surface.clip.top;
}

}  // namespace qz370::raster::detail
