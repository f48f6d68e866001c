#include <gtest/gtest.h>

#include <string>

#include "gdi/fonts/cp1252.h"
#include "gdi/fonts/font_mapper.h"

namespace qz370::fonts {
namespace {

std::string file_name_of(Family family, bool bold) {
    auto file = find_face_file(family, bold);
    if (!file) {
        return "";
    }
    return file->path.substr(file->path.find_last_of('/') + 1);
}

TEST(FontMapper, PicksTheSameFaceForEveryFamilyAndWeight) {
    EXPECT_EQ(file_name_of(Family::Sans, false), "LiberationSans-Regular.ttf");
    EXPECT_EQ(file_name_of(Family::Sans, true), "LiberationSans-Bold.ttf");
    EXPECT_EQ(file_name_of(Family::Mono, false), "DejaVuSansMono.ttf");
    EXPECT_EQ(file_name_of(Family::Mono, true), "DejaVuSansMono-Bold.ttf");
    EXPECT_EQ(file_name_of(Family::System, true), "DejaVuSans-Bold.ttf");
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
