#include "frame_hash.h"

#include <xxhash.h>

#include <bit>
#include <cstddef>

namespace replay {

// The pixels are hashed as they lie in memory, which is the byte order the
// hash is defined with only on little-endian machines.
static_assert(std::endian::native == std::endian::little, "frame hashes are defined in little-endian byte order");

uint64_t frame_hash(const uint32_t *pixels, int width, int height) {
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    return XXH3_64bits(pixels, count * sizeof(uint32_t));
}

}  // namespace replay
