// Pictures as PNG files.
#pragma once

#include <cstdint>

namespace replay {

// Writes 0x00RRGGBB pixels, row by row, as an 8-bit RGB PNG. False if the file
// could not be written.
bool write_png(const char *path, const uint32_t *pixels, int width, int height);

}  // namespace replay
