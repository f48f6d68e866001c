// Which rows and boxes lie inside the clip box.
#include <algorithm>

#include "gdi/raster/raster_internal.h"

namespace qz370::raster::detail {

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
