// A frame's fingerprint: XXH3 64 over its pixels, row by row, each pixel as its
// 32-bit value 0x00RRGGBB in little-endian byte order (blue, green, red, 0).
#pragma once

#include <cstdint>

namespace replay {

uint64_t frame_hash(const uint32_t *pixels, int width, int height);

}  // namespace replay
