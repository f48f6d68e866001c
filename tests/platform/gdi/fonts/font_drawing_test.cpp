#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "font_test_canvas.h"
#include "gdi/fonts/font.h"

namespace qz370::fonts {
namespace {

using test::INK;
using test::PAPER;
using test::TextCanvas;

const Face *text_face() { return face_for(Family::Sans, -16, FW_NORMAL); }

TEXTMETRICA text_metrics() {
    TEXTMETRICA m;
    metrics(text_face(), &m);
    return m;
}

void draw_text(TextCanvas &canvas, int x, int y, const char *text, const uint32_t *background = nullptr) {
    draw(canvas.surface, text_face(), x, y, text, static_cast<int>(std::strlen(text)), INK, background);
}

std::vector<uint32_t> pixels_of_single_byte(char byte) {
    TextCanvas canvas(40, 30, 0);
    draw(canvas.surface, text_face(), 5, 2, &byte, 1, INK, nullptr);
    return canvas.pixels;
}

TEST(FontMeasure, WidthIsTheSumOfAdvancesAndHeightTheCell) {
    SIZE whole = measure(text_face(), "NEW GAME", 8);
    SIZE first = measure(text_face(), "NEW ", 4);
    SIZE rest = measure(text_face(), "GAME", 4);
    EXPECT_EQ(whole.cx, first.cx + rest.cx);
    EXPECT_EQ(whole.cy, text_metrics().tmHeight);
    EXPECT_GT(whole.cx, 8 * 5);
    EXPECT_EQ(measure(text_face(), "NEW GAME", 0).cx, 0);
    EXPECT_EQ(measure(text_face(), "NEW GAME", -3).cx, 0);
}

TEST(FontMeasure, MonoFaceAdvancesEveryByteAlike) {
    const Face *mono = face_for(Family::Mono, 0, FW_NORMAL);
    EXPECT_EQ(measure(mono, "iiii", 4).cx, measure(mono, "WWWW", 4).cx);
    EXPECT_EQ(measure(mono, "\x01\xAE", 2).cx, measure(mono, "ab", 2).cx);
}

TEST(FontDraw, InkStaysInsideTheMeasuredCellAndFillsItsWidth) {
    TextCanvas canvas(300, 60, 0);
    draw_text(canvas, 10, 20, "NEW GAME");
    SIZE size = measure(text_face(), "NEW GAME", 8);
    RECT ink = canvas.inked_box();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 12);
    EXPECT_LE(ink.right, 10 + size.cx);
    EXPECT_GE(ink.right, 10 + size.cx - 3);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 20 + size.cy);
}

TEST(FontDraw, CapitalsStandOnTheBaselineAscentRowsBelowTheTop) {
    TextCanvas canvas(100, 60, 0);
    draw_text(canvas, 10, 20, "HE");
    RECT ink = canvas.inked_box();
    EXPECT_EQ(ink.bottom, 20 + text_metrics().tmAscent);
    EXPECT_GT(ink.top, 20);
}

TEST(FontDraw, TheRegisteredSignHasAGlyphOfItsOwn) {
    std::vector<uint32_t> registered = pixels_of_single_byte(static_cast<char>(174));
    std::vector<uint32_t> missing = pixels_of_single_byte(static_cast<char>(0x81));
    std::vector<uint32_t> blank(registered.size(), PAPER);
    EXPECT_NE(registered, blank);
    EXPECT_NE(registered, missing);
}

TEST(FontDraw, ControlAndUndefinedBytesDrawTheMissingGlyph) {
    std::vector<uint32_t> missing = pixels_of_single_byte(static_cast<char>(0x81));
    EXPECT_NE(missing, std::vector<uint32_t>(missing.size(), PAPER));
    EXPECT_EQ(pixels_of_single_byte('\n'), missing);
    EXPECT_EQ(pixels_of_single_byte('\0'), missing);
    EXPECT_EQ(pixels_of_single_byte('\x7F'), missing);
}

TEST(FontDraw, NothingIsDrawnWithoutBytes) {
    TextCanvas canvas(100, 40, 0);
    uint32_t background = 0x123456;
    draw(canvas.surface, text_face(), 5, 5, "NEW", 0, INK, &background);
    draw(canvas.surface, text_face(), 5, 5, "NEW", -1, INK, &background);
    draw(canvas.surface, text_face(), 5, 5, nullptr, 3, INK, &background);
    EXPECT_EQ(canvas.inked_count(), 0);
}

TEST(FontDraw, ReadsOnlyCountBytes) {
    std::vector<char> exact = {'G', 'O'};  // no terminator: reading on would be caught
    TextCanvas canvas(100, 40, 0);
    draw(canvas.surface, text_face(), 5, 5, exact.data(), 2, INK, nullptr);
    TextCanvas expected(100, 40, 0);
    draw_text(expected, 5, 5, "GO");
    EXPECT_EQ(canvas.pixels, expected.pixels);
}

TEST(FontDraw, BackgroundFillsExactlyTheCellsUnderTheInk) {
    TextCanvas canvas(120, 50, 0);
    uint32_t background = 0x00FF00;
    draw_text(canvas, 7, 9, "STOP", &background);
    SIZE size = measure(text_face(), "STOP", 4);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 120; ++x) {
            bool in_cell = x >= 7 && x < 7 + size.cx && y >= 9 && y < 9 + size.cy;
            uint32_t pixel = canvas.at(x, y);
            if (in_cell) {
                EXPECT_TRUE(pixel == background || pixel == INK) << x << "," << y;
            } else {
                EXPECT_EQ(pixel, PAPER) << x << "," << y;
            }
        }
    }
}

TEST(FontDraw, ClippingCutsTextAtEveryEdgeAndLeavesTheRestAsDrawn) {
    const int guard = 10;
    const char *text = "SPEEDUP";
    SIZE size = measure(text_face(), text, 7);
    // Anchors that push the text over the left, right, top and bottom edges.
    const POINT anchors[] = {{guard - size.cx / 2, 20}, {60 - size.cx / 2, 20}, {20, guard - 8}, {20, 50 - 8}};
    for (POINT anchor : anchors) {
        TextCanvas clipped(60 + guard, 50 + guard, guard);
        draw_text(clipped, anchor.x, anchor.y, text);
        TextCanvas whole(60 + guard, 50 + guard, 0);
        draw_text(whole, anchor.x, anchor.y, text);
        int inside = 0;
        for (int y = 0; y < whole.surface.height; ++y) {
            for (int x = 0; x < whole.surface.width; ++x) {
                bool in_clip = x >= guard && x < 60 && y >= guard && y < 50;
                EXPECT_EQ(clipped.at(x, y), in_clip ? whole.at(x, y) : PAPER) << x << "," << y;
                inside += in_clip && clipped.at(x, y) == INK;
            }
        }
        EXPECT_GT(inside, 0) << anchor.x << "," << anchor.y;
    }
}

// A glyph wholly inside the clip box may be drawn down its columns; one that
// the clip box cuts is drawn along its rows. Both show the same pixels.
TEST(FontDraw, EveryGlyphCutByTheClipShowsThePixelsOfTheWholeGlyph) {
    constexpr int SIZE = 40;
    for (int height : {-16, -21, 0}) {
        const Face *face = face_for(Family::Sans, height, FW_NORMAL);
        for (int byte = '!'; byte <= UCHAR_MAX; ++byte) {
            const char text = static_cast<char>(byte);
            TextCanvas whole(SIZE, SIZE, 0);
            draw(whole.surface, face, 5, 2, &text, 1, INK, nullptr);
            const RECT ink = whole.inked_box();
            const LONG middle_x = (ink.left + ink.right) / 2, middle_y = (ink.top + ink.bottom) / 2;
            for (RECT clip : {RECT{0, 0, middle_x, SIZE}, RECT{middle_x, 0, SIZE, SIZE}, RECT{0, 0, SIZE, middle_y},
                              RECT{0, middle_y, SIZE, SIZE}}) {
                TextCanvas cut(SIZE, SIZE, 0);
                cut.surface.clip = clip;
                draw(cut.surface, face, 5, 2, &text, 1, INK, nullptr);
                int differing = 0;
                for (int y = 0; y < SIZE; ++y) {
                    for (int x = 0; x < SIZE; ++x) {
                        const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                        differing += cut.at(x, y) != (inside ? whole.at(x, y) : PAPER);
                    }
                }
                EXPECT_EQ(differing, 0) << "byte " << byte << ", height " << height;
            }
        }
    }
}

TEST(FontDraw, AnchorsAtTheIntegerLimitsDrawNothingAndDoNotWrap) {
    TextCanvas canvas(100, 40, 0);
    std::vector<char> long_text(5000, 'W');
    uint32_t background = 0x0000FF;
    for (int x : {INT_MIN, INT_MAX, INT_MAX - 10}) {
        for (int y : {INT_MIN, 5, INT_MAX}) {
            draw(canvas.surface, text_face(), x, y, long_text.data(), static_cast<int>(long_text.size()), INK,
                 &background);
        }
    }
    draw(canvas.surface, text_face(), 5, INT_MAX - 3, long_text.data(), static_cast<int>(long_text.size()), INK,
         &background);
    EXPECT_EQ(canvas.inked_count(), 0);
}

TEST(FontDraw, TextFromFarLeftReachesTheSurface) {
    TextCanvas canvas(100, 40, 0);
    std::vector<char> long_text(100, 'W');
    int width = measure(text_face(), long_text.data(), 100).cx;
    draw(canvas.surface, text_face(), 50 - width, 5, long_text.data(), 100, INK, nullptr);
    RECT ink = canvas.inked_box();
    EXPECT_EQ(ink.left, 0);
    EXPECT_LE(ink.right, 50);
    EXPECT_GT(ink.right, 40);
}

}  // namespace
}  // namespace qz370::fonts
