// A library opened on the headless display with a cleared canvas, every
// printed line captured, and the canvas read back in library coordinates.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library_state.h"

namespace drawing_test {

inline std::vector<std::string> &printed_lines()
{
    static std::vector<std::string> lines;
    return lines;
}

inline void record_line(const char *line)
{
    printed_lines().push_back(line);
}

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
        QZ370_clear_graphics();
        print_observer = record_line;
        printed_lines().clear();
    }

    void TearDown() override { print_observer = nullptr; }

    static const std::vector<std::string> &printed() { return printed_lines(); }

    static void forget_printed() { printed_lines().clear(); }

    // The canvas pixel of a library point, as a COLORREF.
    static COLORREF at(int x, int y) { return GetPixel(canvas_dc, centre_x + x, centre_y - y); }

    static std::vector<COLORREF> whole_canvas()
    {
        std::vector<COLORREF> pixels;
        pixels.reserve(CANVAS_WIDTH * CANVAS_HEIGHT);
        for (int row = 0; row < CANVAS_HEIGHT; ++row) {
            for (int column = 0; column < CANVAS_WIDTH; ++column) {
                pixels.push_back(GetPixel(canvas_dc, column, row));
            }
        }
        return pixels;
    }

    // Library points within the square of the given half size around (0, 0)
    // whose pixel is not white.
    static int inked_pixels_near_origin(int half_size)
    {
        int count = 0;
        for (int y = -half_size; y <= half_size; ++y) {
            for (int x = -half_size; x <= half_size; ++x) {
                count += at(x, y) != WHITE ? 1 : 0;
            }
        }
        return count;
    }

    static constexpr COLORREF WHITE = RGB(255, 255, 255);
    static constexpr COLORREF BLACK = RGB(0, 0, 0);
    static constexpr COLORREF RED = RGB(255, 0, 0);
    static constexpr COLORREF BLUE = RGB(0, 0, 255);
};

}  // namespace drawing_test
