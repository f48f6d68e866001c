// A pixel surface for the rasteriser's tests: white paper, an optional guard
// band outside the clip box, and pixel sets to compare shapes with.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "gdi/raster/raster.h"

namespace qz370::raster_test {

constexpr uint32_t PAPER = 0xFFFFFF;
constexpr uint32_t INK = 0x000000;
constexpr uint32_t RED = 0xFF0000;

using Pixels = std::set<std::pair<int, int>>;  // (x, y)

struct Canvas {
    Canvas(int width, int height, int guard = 0)
        : pixels(static_cast<size_t>(width) * height, PAPER),
          surface{pixels.data(), width, height, width, RECT{guard, guard, width - guard, height - guard}} {}

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * surface.stride + x]; }

    Pixels inked() const {
        Pixels set;
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x)
                if (at(x, y) != PAPER) set.insert({x, y});
        return set;
    }

    std::vector<uint32_t> pixels;
    raster::Surface surface;
};

inline Pixels box_pixels(int left, int top, int right, int bottom) {  // right and bottom excluded
    Pixels set;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) set.insert({x, y});
    return set;
}

constexpr raster::Pen THIN = {true, 1, INK};
constexpr raster::Pen NO_PEN = {false, 1, INK};
constexpr raster::Brush NO_BRUSH = {false, 0};
constexpr raster::Brush INK_BRUSH = {true, INK};
constexpr raster::Brush RED_BRUSH = {true, RED};

inline raster::Pen wide_pen(int width) { return {true, width, INK}; }

}  // namespace qz370::raster_test
