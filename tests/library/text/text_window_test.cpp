// The text window: each line drawn at the bottom, the whole ring on repaint,
// keys handed on to the graphics window.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "headless.h"
#include "library_state.h"

namespace {

constexpr uint32_t WHITE_PIXEL = 0x00FFFFFF;

class TextWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
        QZ370_set_logging(0);
        handle_pending_messages();
    }

    static void handle_pending_messages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    static void repaint()
    {
        InvalidateRect(text_window, nullptr, TRUE);
        handle_pending_messages();
    }

    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels;

        uint32_t at(int column, int row) const { return pixels[static_cast<size_t>(row) * width + column]; }

        bool operator==(const Picture &other) const = default;
    };

    static Picture picture()
    {
        Picture result;
        const uint32_t *pixels = qz370::headless::client_pixels(text_window, &result.width, &result.height);
        result.pixels.assign(pixels, pixels + static_cast<size_t>(result.width) * result.height);
        return result;
    }

    // The rows, counted from the bottom edge, of the picture that hold ink.
    static std::vector<int> inked_rows_from_bottom(const Picture &shown)
    {
        std::vector<int> rows;
        for (int row = 0; row < shown.height; ++row) {
            for (int column = 0; column < shown.width; ++column) {
                if (shown.at(column, row) != WHITE_PIXEL) {
                    rows.push_back(shown.height - row);
                    break;
                }
            }
        }
        return rows;
    }

    static int leftmost_inked_column(const Picture &shown)
    {
        for (int column = 0; column < shown.width; ++column) {
            for (int row = 0; row < shown.height; ++row) {
                if (shown.at(column, row) != WHITE_PIXEL) {
                    return column;
                }
            }
        }
        return -1;
    }

    static int fixed_font_line_height()
    {
        HDC dc = GetDC(text_window);
        SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        ReleaseDC(text_window, dc);
        return metrics.tmHeight + metrics.tmExternalLeading;
    }

    // The strip of one line height that stands lines_up lines above the bottom.
    static Picture line_strip(const Picture &shown, int lines_up)
    {
        const ptrdiff_t h = fixed_font_line_height();
        Picture line;
        line.width = shown.width;
        line.height = static_cast<int>(h);
        const auto strip_end = shown.pixels.end() - lines_up * h * shown.width;
        line.pixels.assign(strip_end - h * shown.width, strip_end);
        return line;
    }
};

TEST_F(TextWindowTest, BeforeAnyLineTheWindowIsWhite)
{
    repaint();
    EXPECT_TRUE(inked_rows_from_bottom(picture()).empty());
}

TEST_F(TextWindowTest, PrintedLineStandsOnTheBottomLineFiveColumnsIn)
{
    QZ370_print("abc\n");
    const Picture shown = picture();
    const std::vector<int> rows = inked_rows_from_bottom(shown);
    ASSERT_FALSE(rows.empty());
    EXPECT_LE(rows.front(), fixed_font_line_height());
    EXPECT_GE(leftmost_inked_column(shown), 5);
}

TEST_F(TextWindowTest, TrailingNewlineIsNotDrawn)
{
    QZ370_print("abc\n");
    const Picture with_newline = line_strip(picture(), 0);
    QZ370_print("abc");
    EXPECT_EQ(line_strip(picture(), 0), with_newline);
}

TEST_F(TextWindowTest, EachLineScrollsTheOthersUpOneLine)
{
    QZ370_print("abc\n");
    const Picture first = line_strip(picture(), 0);
    QZ370_print("\n");
    EXPECT_TRUE(inked_rows_from_bottom(line_strip(picture(), 0)).empty());
    EXPECT_EQ(line_strip(picture(), 1), first);
}

TEST_F(TextWindowTest, EmbeddedNewlineStaysOnOneLine)
{
    QZ370_print("ab\ncd\n");
    const std::vector<int> rows = inked_rows_from_bottom(picture());
    ASSERT_FALSE(rows.empty());
    EXPECT_LE(rows.front(), fixed_font_line_height());
}

TEST_F(TextWindowTest, RepaintDrawsTheRingOldestFirst)
{
    QZ370_print("one\n");
    QZ370_print("two\n");
    QZ370_print("three\n");
    const Picture printed = picture();
    repaint();
    EXPECT_EQ(picture(), printed);
}

TEST_F(TextWindowTest, RepaintOfAFullRingDrawsItsLast25Lines)
{
    for (int i = 0; i < 40; ++i) {
        QZ370_print("line %d\n", i);
    }
    const Picture printed = picture();
    repaint();
    EXPECT_EQ(picture(), printed);
}

TEST_F(TextWindowTest, LinesPrintedWhileHiddenShowUpWhenShown)
{
    QZ370_text_window(0);
    EXPECT_FALSE(IsWindowVisible(text_window));
    QZ370_print("hidden\n");
    QZ370_text_window(1);
    handle_pending_messages();
    EXPECT_TRUE(IsWindowVisible(text_window));
    EXPECT_FALSE(inked_rows_from_bottom(picture()).empty());
}

TEST_F(TextWindowTest, KeysAreHandedToTheGraphicsWindow)
{
    text_window_proc(text_window, WM_KEYDOWN, 'L', 0x1D0001);
    text_window_proc(text_window, WM_KEYUP, VK_CONTROL, 0x7);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, graphics_window, WM_KEYDOWN, WM_KEYUP, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('L'));
    EXPECT_EQ(msg.lParam, 0x1D0001);
    ASSERT_TRUE(PeekMessageA(&msg, graphics_window, WM_KEYDOWN, WM_KEYUP, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_CONTROL));
}

TEST_F(TextWindowTest, ClosedWindowStillStoresLines)
{
    qz370::headless::close_window(text_window);
    handle_pending_messages();
    EXPECT_EQ(QZ370_print("after\n"), 6);
    QZ370_text_window(1);
    EXPECT_FALSE(IsWindow(text_window));
    EXPECT_EQ(text_log.next_slot, 1);
}

}  // namespace
