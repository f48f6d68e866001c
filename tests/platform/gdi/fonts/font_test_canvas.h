// A pixel surface for text tests with a guard band around its clip box, so a
// write outside the clip shows up as a changed guard pixel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdi/raster/raster.h"

namespace qz370::test {

constexpr uint32_t PAPER = 0xFFFFFF;
constexpr uint32_t INK = 0x000000;

struct TextCanvas {
    TextCanvas(int width, int height, int guard)
        : pixels(static_cast<size_t>(width) * height, PAPER),
          surface{pixels.data(), width, height, width, RECT{guard, guard, width - guard, height - guard}} {}

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * surface.stride + x]; }

    // The smallest box holding every pixel that is not paper; empty (left ==
    // right) when nothing was drawn.
    RECT inked_box() const {
        RECT box{surface.width, surface.height, 0, 0};
        for (int y = 0; y < surface.height; ++y) {
            for (int x = 0; x < surface.width; ++x) {
                if (at(x, y) != PAPER) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        }
        return box.right == 0 ? RECT{0, 0, 0, 0} : box;
    }

    int inked_count() const {
        int count = 0;
        for (uint32_t pixel : pixels) {
            count += pixel != PAPER;
        }
        return count;
    }

    std::vector<uint32_t> pixels;
    raster::Surface surface;
};

}  // namespace qz370::test
