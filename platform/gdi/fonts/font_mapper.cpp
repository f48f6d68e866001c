#include "gdi/fonts/font_mapper.h"

#include <fontconfig/fontconfig.h>

#include <cstring>

namespace qz370::fonts {

namespace {

// Text drawn by programs gets a face with the widths programs were laid out
// for on the classic desktop; menus, dialogs and the fixed font get DejaVu.
const char *preferred_family(Family family) {
    switch (family) {
    case Family::Sans:
        return "Liberation Sans";
    case Family::Mono:
        return "DejaVu Sans Mono";
    case Family::System:
        return "DejaVu Sans";
    }
    return "DejaVu Sans";
}

const char *generic_family(Family family) { return family == Family::Mono ? "monospace" : "sans-serif"; }

bool has_family(FcPattern *font, const char *name) {
    FcChar8 *family = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        if (std::strcmp(reinterpret_cast<const char *>(family), name) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<FaceFile> file_of(FcPattern *font) {
    FcChar8 *path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch) {
        return std::nullopt;
    }
    int index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    return FaceFile{reinterpret_cast<const char *>(path), index};
}

// An upright face of normal width: the condensed and light members of a
// family share its name and must not win.
FcPattern *request_for(const char *family, bool bold) {
    FcPattern *request = FcPatternCreate();
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcPatternAddInteger(request, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(request, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddInteger(request, FC_WIDTH, FC_WIDTH_NORMAL);
    FcPatternAddBool(request, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    return request;
}

std::optional<FaceFile> best_match(const char *family, bool bold, bool exact_family) {
    FcPattern *request = request_for(family, bold);
    FcResult result = FcResultNoMatch;
    FcPattern *font = FcFontMatch(nullptr, request, &result);
    FcPatternDestroy(request);
    if (font == nullptr) {
        return std::nullopt;
    }
    std::optional<FaceFile> file;
    if (!exact_family || has_family(font, family)) {
        file = file_of(font);
    }
    FcPatternDestroy(font);
    return file;
}

}  // namespace

// GCC tells of AddressSanitizer with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define LEAKS_ARE_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LEAKS_ARE_CHECKED 1
#endif
#endif

#if defined(LEAKS_ARE_CHECKED)
// fontconfig drops a few bytes of its own configuration while it loads it, and
// the stacks stop inside the library, so only the library's name can tell them.
// So does libdbus, which SDL's video start-up probes the session bus with.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
#endif

std::optional<FaceFile> find_face_file(Family family, bool bold) {
    if (auto file = best_match(preferred_family(family), bold, true)) {
        return file;
    }
    return best_match(generic_family(family), bold, false);
}

}  // namespace qz370::fonts
