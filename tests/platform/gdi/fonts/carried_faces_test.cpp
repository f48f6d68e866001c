#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "gdi/fonts/carried_faces.h"
#include "gdi/fonts/cp1252.h"

namespace qz370::fonts {
namespace {

// The family and style names written in the carried font file.
std::string names_of(Family family, bool bold) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return "no FreeType";
    }
    FaceBytes file = carried_face(family, bold);
    FT_Face face = nullptr;
    std::string names = "not a font";
    if (FT_New_Memory_Face(library, file.data, static_cast<FT_Long>(file.size), 0, &face) == 0) {
        names = std::string(face->family_name) + " " + face->style_name;
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return names;
}

TEST(CarriedFaces, EveryFamilyAndWeightHasItsOwnFace) {
    EXPECT_EQ(names_of(Family::Sans, false), "Liberation Sans Regular");
    EXPECT_EQ(names_of(Family::Sans, true), "Liberation Sans Bold");
    EXPECT_EQ(names_of(Family::Mono, false), "DejaVu Sans Mono Book");
    EXPECT_EQ(names_of(Family::Mono, true), "DejaVu Sans Mono Bold");
    EXPECT_EQ(names_of(Family::System, false), "DejaVu Sans Book");
    EXPECT_EQ(names_of(Family::System, true), "DejaVu Sans Bold");
}

TEST(Cp1252, KeepsAsciiAndLatin1AndRemapsTheWindowsRange) {
    EXPECT_EQ(unicode_from_cp1252('A'), 0x41u);
    EXPECT_EQ(unicode_from_cp1252(174), 0xAEu);  // the registered sign
    EXPECT_EQ(unicode_from_cp1252(0xFF), 0xFFu);
    EXPECT_EQ(unicode_from_cp1252(0x80), 0x20ACu);  // euro
    EXPECT_EQ(unicode_from_cp1252(0x99), 0x2122u);  // trade mark
    EXPECT_EQ(unicode_from_cp1252(0x9F), 0x0178u);
}

TEST(Cp1252, LeavesTheFiveUndefinedBytesUnmapped) {
    for (unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(unicode_from_cp1252(byte), 0u) << int{byte};
    }
}

}  // namespace
}  // namespace qz370::fonts
