// Windows-1252, the code page of the "A" text operations.
#pragma once

#include <cstdint>

namespace qz370::fonts {

// The Unicode code point of a Windows-1252 byte, or 0 for the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
uint32_t unicode_from_cp1252(unsigned char byte);

}  // namespace qz370::fonts
