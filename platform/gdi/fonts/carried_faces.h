// The font files text is drawn with, compiled into the library: the same
// faces on every machine, so text always draws the same pixels.
#pragma once

#include <cstddef>

#include "gdi/fonts/font.h"

namespace qz370::fonts {

struct FaceBytes {
    const unsigned char *data;
    std::size_t size;
};

// The whole font file of the family's face, regular or bold.
FaceBytes carried_face(Family family, bool bold);

}  // namespace qz370::fonts
