// A frame's fingerprint: FNV-1a 64 over its pixels' red, green and blue bytes,
// row by row.
#pragma once

#include <cstdint>

namespace replay {

uint64_t frame_hash(const uint32_t *pixels, int width, int height);

}  // namespace replay
