// Text: where its lines stand, how it is painted, formatting and its limits.
#include <cstring>
#include <set>
#include <utility>

#include "library/drawing/drawing_fixture.h"
#include "headless.h"

namespace drawing_test {
namespace {

using CanvasPixel = std::pair<int, int>;  // column, row

class TextOperationsTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        QZ370_set_logging(0);
    }

    static std::set<CanvasPixel> inked_pixels()
    {
        std::set<CanvasPixel> inked;
        for (int row = 1; row < CANVAS_HEIGHT - 1; ++row) {
            for (int column = 1; column < CANVAS_WIDTH - 1; ++column) {
                if (GetPixel(canvas_dc, column, row) != WHITE) {
                    inked.insert({column, row});
                }
            }
        }
        return inked;
    }

    // The line height the renderer uses: the height of the text's extent in
    // the font it asks for.
    static int line_height(int ptsize, const char *text)
    {
        HFONT font = CreateFontA(-ptsize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "QZ370-font");
        HGDIOBJ kept = SelectObject(canvas_dc, font);
        SIZE extent = {0, 0};
        GetTextExtentPointA(canvas_dc, text, static_cast<int>(strlen(text)), &extent);
        SelectObject(canvas_dc, kept);
        DeleteObject(font);
        return extent.cy;
    }
};

TEST_F(TextOperationsTest, FirstLineStandsOnTheAnchorRow)
{
    QZ370_text(0, 0, 0, 20, "ab");
    const int h = line_height(20, "ab");
    const std::set<CanvasPixel> inked = inked_pixels();
    ASSERT_FALSE(inked.empty());
    for (const CanvasPixel &pixel : inked) {
        EXPECT_GE(pixel.first, centre_x);
        EXPECT_LT(pixel.second, centre_y);
        EXPECT_GE(pixel.second, centre_y - h);
    }
}

TEST_F(TextOperationsTest, EachFurtherLineIsOneLineHeightLower)
{
    QZ370_text(0, 0, 0, 20, "ab");
    const std::set<CanvasPixel> one_line = inked_pixels();
    QZ370_clear_graphics();
    QZ370_text(0, 0, 0, 20, "ab\nab");
    const int h = line_height(20, "ab\nab");
    std::set<CanvasPixel> expected = one_line;
    for (const CanvasPixel &pixel : one_line) {
        expected.insert({pixel.first, pixel.second + h});
    }
    EXPECT_EQ(inked_pixels(), expected);
}

TEST_F(TextOperationsTest, EmptyTextAndTrailingNewlineDrawNothingMore)
{
    QZ370_text(0, 0, 0, 20, "");
    EXPECT_TRUE(inked_pixels().empty());
    QZ370_text(0, 0, 0, 20, "ab");
    const std::set<CanvasPixel> one_line = inked_pixels();
    QZ370_clear_graphics();
    QZ370_text(0, 0, 0, 20, "ab\n");
    EXPECT_EQ(inked_pixels(), one_line);
}

TEST_F(TextOperationsTest, CharactersArePaintedInTheColourWithoutTheirCells)
{
    QZ370_rectangle(4, -10, 30, 60, -10, 0);
    QZ370_text(5, 0, 0, 20, "Wg");
    int yellow = 0;
    for (int y = -10; y <= 30; ++y) {
        for (int x = -10; x <= 60; ++x) {
            const COLORREF pixel = at(x, y);
            EXPECT_TRUE(pixel == BLUE || pixel == RGB(255, 255, 0));
            yellow += pixel == RGB(255, 255, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 0);
}

TEST_F(TextOperationsTest, FormattedTextDrawsWhatWasFormatted)
{
    QZ370_text(0, 0, 0, 16, "42");
    const std::set<CanvasPixel> plain = inked_pixels();
    QZ370_clear_graphics();
    EXPECT_EQ(QZ370_text_printf(0, 0, 0, 16, "%d", 42), 2);
    EXPECT_EQ(inked_pixels(), plain);
    QZ370_clear_graphics();
    EXPECT_EQ(QZ370_text_printf_pt(0, Point{0, 0}, 16, "%c%c", '4', '2'), 2);
    EXPECT_EQ(inked_pixels(), plain);
}

TEST_F(TextOperationsTest, FormattedTextIsCutToWhatTheBufferHolds)
{
    const std::string long_text(5000, 'w');
    EXPECT_EQ(QZ370_text_printf(0, 0, 0, 12, "%s", long_text.c_str()), 1023);
    EXPECT_EQ(QZ370_text_printf_pt(0, Point{0, 0}, 12, "%s", long_text.c_str()), 1023);
}

TEST_F(TextOperationsTest, CopyThatCannotBeAllocatedIsReportedAndNotDrawn)
{
    qz370::headless::fail_allocations(1);
    EXPECT_EQ(QZ370_text(0, 0, 0, 20, "ab"), 1);
    EXPECT_EQ(printed(), (std::vector<std::string>{"Out of memory: text not drawn\n"}));
    EXPECT_TRUE(inked_pixels().empty());
    QZ370_text(0, 0, 0, 20, "ab");
    EXPECT_FALSE(inked_pixels().empty());
}

}  // namespace
}  // namespace drawing_test
