#include "gdi/fonts/carried_faces.h"

// The arrays are made at build time from the files in faces/.
#define CARRIED_FACE(name)                   \
    extern const unsigned char name[];       \
    extern const std::size_t name##_size;

namespace qz370::fonts {

CARRIED_FACE(liberation_sans_regular)
CARRIED_FACE(liberation_sans_bold)
CARRIED_FACE(dejavu_sans_mono_regular)
CARRIED_FACE(dejavu_sans_mono_bold)
CARRIED_FACE(dejavu_sans_regular)
CARRIED_FACE(dejavu_sans_bold)

// Text drawn by programs gets a face with the widths programs were laid out
// for on the classic desktop; menus, dialogs and the fixed font get DejaVu.
FaceBytes carried_face(Family family, bool bold) {
    switch (family) {
    case Family::Sans:
        return bold ? FaceBytes{liberation_sans_bold, liberation_sans_bold_size}
                    : FaceBytes{liberation_sans_regular, liberation_sans_regular_size};
    case Family::Mono:
        return bold ? FaceBytes{dejavu_sans_mono_bold, dejavu_sans_mono_bold_size}
                    : FaceBytes{dejavu_sans_mono_regular, dejavu_sans_mono_regular_size};
    case Family::System:
        break;
    }
    return bold ? FaceBytes{dejavu_sans_bold, dejavu_sans_bold_size}
                : FaceBytes{dejavu_sans_regular, dejavu_sans_regular_size};
}

}  // namespace qz370::fonts
