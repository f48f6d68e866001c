#include "gdi/fonts/cp1252.h"

namespace qz370::fonts {

namespace {

constexpr unsigned char FIRST_REMAPPED = 0x80;
constexpr unsigned char LAST_REMAPPED = 0x9F;
constexpr uint32_t ASCII_END = 0x80;
constexpr int BYTES = 0x100;

// 0x80 to 0x9F: where the code page departs from Latin-1.
constexpr uint32_t REMAPPED[LAST_REMAPPED - FIRST_REMAPPED + 1] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

}  // namespace

uint32_t unicode_from_cp1252(unsigned char byte) {
    if (byte >= FIRST_REMAPPED && byte <= LAST_REMAPPED) {
        return REMAPPED[byte - FIRST_REMAPPED];
    }
    return byte;
}

int cp1252_from_unicode(uint32_t code_point)
{
    if (code_point == NO_CODE_POINT) {
        return NO_CP1252_BYTE;
    }
    if (code_point < ASCII_END) {
        return static_cast<int>(code_point);
    }
    for (int byte = ASCII_END; byte < BYTES; ++byte) {
        if (unicode_from_cp1252(static_cast<unsigned char>(byte)) == code_point) {
            return byte;
        }
    }
    return NO_CP1252_BYTE;
}

}  // namespace qz370::fonts
