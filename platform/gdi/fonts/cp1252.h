// Windows-1252, the code page of the "A" text operations.
#pragma once

#include <cstdint>

namespace qz370::fonts {

// The Unicode code point of a Windows-1252 byte, or 0 for the five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
uint32_t unicode_from_cp1252(unsigned char byte);

constexpr int NO_CP1252_BYTE = -1;
constexpr uint32_t NO_CODE_POINT = 0;

// The byte of a character, as a typed key gives it to the program;
// NO_CP1252_BYTE when the code page has none for it.
int cp1252_from_unicode(uint32_t code_point);

}  // namespace qz370::fonts
