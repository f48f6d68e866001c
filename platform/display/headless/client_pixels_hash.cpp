// A window's frame hash, taken from its rows where they lie: no copy of the
// frame is made to hash it.
#include "headless.h"
#include "user/window_internals.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <bit>

namespace qz370::headless {

static_assert(std::endian::native == std::endian::little, "frame hashes are defined in little-endian byte order");

uint64_t client_pixels_hash(HWND hwnd)
{
    platform::Window *window = platform::window_from(hwnd);
    if (window == nullptr || window->parent != nullptr) {
        return 0;
    }
    const uint32_t *rows = platform::client_pixel_rows(*window);
    const size_t row_bytes = static_cast<size_t>(window->pixel_width) * sizeof(uint32_t);
    XXH3_state_t state;
    XXH3_64bits_reset(&state);
    for (int row = 0; row < window->pixel_height; ++row) {
        XXH3_64bits_update(&state, rows + static_cast<size_t>(row) * static_cast<size_t>(window->pixel_stride),
                           row_bytes);
    }
    return XXH3_64bits_digest(&state);
}

}  // namespace qz370::headless
