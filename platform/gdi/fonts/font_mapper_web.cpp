// A web page has no installed fonts to look up: text takes the proportions
// assumed when no font file loads.
#include "gdi/fonts/font_mapper.h"

namespace qz370::fonts {

std::optional<FaceFile> find_face_file(Family, bool)
{
    return std::nullopt;
}

}  // namespace qz370::fonts
