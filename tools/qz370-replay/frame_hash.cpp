#include "frame_hash.h"

#include <cstddef>

namespace replay {

namespace {

constexpr uint64_t FNV_OFFSET_BASIS = 0xcbf29ce484222325ULL;
constexpr uint64_t FNV_PRIME = 0x100000001b3ULL;

inline uint64_t mix(uint64_t hash, uint32_t byte) { return (hash ^ byte) * FNV_PRIME; }

}  // namespace

uint64_t frame_hash(const uint32_t *pixels, int width, int height) {
    uint64_t hash = FNV_OFFSET_BASIS;
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        uint32_t pixel = pixels[i];
        hash = mix(hash, (pixel >> 16) & 0xFF);
        hash = mix(hash, (pixel >> 8) & 0xFF);
        hash = mix(hash, pixel & 0xFF);
    }
    return hash;
}

}  // namespace replay
