// Which font file stands for each family: fontconfig's choice, made the same
// way on every run so that text always draws the same pixels.
#pragma once

#include <optional>
#include <string>

#include "gdi/fonts/font.h"

namespace qz370::fonts {

struct FaceFile {
    std::string path;
    int index;  // the face within a font collection file
};

// The family's preferred face when it is installed, otherwise fontconfig's
// best sans-serif or monospace face; nothing when there is no font at all.
std::optional<FaceFile> find_face_file(Family family, bool bold);

}  // namespace qz370::fonts
