#include "library/drawing/drawing_fixture.h"

#include <iterator>

namespace drawing_test {
namespace {

using PaletteTest = DrawingTest;

TEST_F(PaletteTest, ColourValuesAreStoredInWindowsByteOrder)
{
    EXPECT_EQ(Palette[8].value, 0x00CC0099u);   // purple 0x9900CC
    EXPECT_EQ(Palette[9].value, 0x00993300u);   // navy blue 0x003399
    EXPECT_EQ(Palette[23].value, 0x00CCCCCCu);  // 20% gray
    EXPECT_STREQ(Palette[22].name, "50% gray");
    EXPECT_EQ(Palette[WHITE_INDEX].value, WHITE);
}

TEST_F(PaletteTest, EachNamedColourIsThePaletteEntryOfThatName)
{
    struct NamedColour {
        int index;
        const char *name;
    };
    const NamedColour named[] = {
        {QZ370_BLACK, "black"},        {QZ370_WHITE, "white"},           {QZ370_RED, "red"},
        {QZ370_GREEN, "green"},        {QZ370_BLUE, "blue"},             {QZ370_YELLOW, "yellow"},
        {QZ370_MAGENTA, "magenta"},    {QZ370_CYAN, "cyan"},             {QZ370_PURPLE, "purple"},
        {QZ370_NAVY_BLUE, "navy blue"}, {QZ370_DUSTY_PLUM, "dusty plum"}, {QZ370_ICE_BLUE, "ice blue"},
        {QZ370_TURQUOISE, "turquoise"}, {QZ370_ORANGE, "orange"},         {QZ370_BROWN, "brown"},
        {QZ370_PINK, "pink"},          {QZ370_CHALK, "chalk"},           {QZ370_GOLD, "gold"},
        {QZ370_PEACH, "peach"},        {QZ370_FOREST_GREEN, "forest green"}, {QZ370_SEA_GREEN, "sea green"},
        {QZ370_OLIVE, "olive"},        {QZ370_GRAY_50, "50% gray"},      {QZ370_GRAY_20, "20% gray"},
    };
    ASSERT_EQ(std::size(named), std::size(Palette));
    for (const NamedColour &colour : named) {
        EXPECT_STREQ(Palette[colour.index].name, colour.name);
    }
}

TEST_F(PaletteTest, LegalIndicesPassSilently)
{
    EXPECT_EQ(check_color(0), 0);
    EXPECT_EQ(check_color(23), 23);
    EXPECT_TRUE(printed().empty());
}

TEST_F(PaletteTest, IllegalIndicesBecomeRedWithANotice)
{
    EXPECT_EQ(check_color(24), 2);
    EXPECT_EQ(check_color(-1), 2);
    EXPECT_EQ(check_color(INT_MIN), 2);
    EXPECT_EQ(printed(), (std::vector<std::string>{"Illegal color 24; using RED.\n", "Illegal color -1; using RED.\n",
                                                   "Illegal color -2147483648; using RED.\n"}));
}

TEST_F(PaletteTest, IllegalColourIsLoggedAndDrawnAsRed)
{
    QZ370_pixel(99, 3, 4);
    EXPECT_EQ(printed(), (std::vector<std::string>{"Illegal color 99; using RED.\n", "red pixel at (3,4)\n"}));
    EXPECT_EQ(at(3, 4), RED);
}

TEST_F(PaletteTest, IllegalColourNoticeIsPrintedWithLoggingOff)
{
    QZ370_set_logging(0);
    forget_printed();
    QZ370_pixel(-1, 0, 0);
    EXPECT_EQ(printed(), (std::vector<std::string>{"Illegal color -1; using RED.\n"}));
}

TEST_F(PaletteTest, TwentyGrayIsDrawnInItsValue)
{
    QZ370_pixel(23, -7, 9);
    EXPECT_EQ(at(-7, 9), RGB(204, 204, 204));
    EXPECT_EQ(printed(), (std::vector<std::string>{"20% gray pixel at (-7,9)\n"}));
}

}  // namespace
}  // namespace drawing_test
