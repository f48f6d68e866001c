#include "display/sdl/window_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace qz370::sdl {

namespace {

constexpr int LARGEST_SCALE = 8;
constexpr int DOUBLED_FROM_HEIGHT = 2160;
constexpr int TRIPLED_FROM_HEIGHT = 3240;
constexpr const char *SCALE_VARIABLE = "QZ370_SCALE";

int scale = 1;

int scale_for_screen()
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return 1;
    }
    return mode.h >= TRIPLED_FROM_HEIGHT ? 3 : mode.h >= DOUBLED_FROM_HEIGHT ? 2 : 1;
}

// One digit from 1 to the largest factor; 0 for anything else.
int parse_scale(const char *text)
{
    bool one_digit = text[0] >= '1' && text[0] <= '0' + LARGEST_SCALE && text[1] == '\0';
    return one_digit ? text[0] - '0' : 0;
}

// Floor division, so that points left of or above a window still land on
// the pixel they are in.
int divided_down(int value, int divisor)
{
    int quotient = value / divisor;
    return value % divisor < 0 ? quotient - 1 : quotient;
}

// Each source pixel repeated scale times, as far as the target row reaches.
template <typename Pixel>
void enlarge_row(const Pixel *source, Pixel *target, int target_width)
{
    int whole = target_width / scale;
    if (scale == 2) {
        // The common factor, with a loop the compiler can widen.
        for (int x = 0; x < whole; ++x) {
            target[2 * x] = source[x];
            target[2 * x + 1] = source[x];
        }
        target += 2 * whole;
    } else {
        for (int x = 0; x < whole; ++x) {
            for (int copy = 0; copy < scale; ++copy) {
                *target++ = source[x];
            }
        }
    }
    for (int copy = 0; copy < target_width % scale; ++copy) {
        *target++ = source[whole];
    }
}

// Pixels of three bytes, the one size no integer holds.
struct Packed24 {
    uint8_t bytes[3];
};

void enlarge_row(const uint8_t *source, int bytes_per_pixel, uint8_t *target, int target_width)
{
    switch (bytes_per_pixel) {
    case 1: enlarge_row(source, target, target_width); break;
    case 2:
        enlarge_row(reinterpret_cast<const uint16_t *>(source), reinterpret_cast<uint16_t *>(target), target_width);
        break;
    case 3:
        enlarge_row(reinterpret_cast<const Packed24 *>(source), reinterpret_cast<Packed24 *>(target), target_width);
        break;
    default:
        enlarge_row(reinterpret_cast<const uint32_t *>(source), reinterpret_cast<uint32_t *>(target), target_width);
        break;
    }
}

}  // namespace

void choose_window_scale()
{
    const char *asked = SDL_getenv(SCALE_VARIABLE);
    if (asked == nullptr || asked[0] == '\0') {
        scale = scale_for_screen();
        return;
    }
    scale = parse_scale(asked);
    if (scale == 0) {
        std::fprintf(stderr, "%s=%s is not a whole number from 1 to %d: windows are shown unscaled\n", SCALE_VARIABLE,
                     asked, LARGEST_SCALE);
        scale = 1;
    }
}

int window_scale() { return scale; }

int to_system_pixels(int screen_coordinate) { return divided_down(screen_coordinate, scale); }

// Clamped: a window may be placed anywhere, however far off the screen.
int to_screen_pixels(int system_coordinate)
{
    int64_t screen = int64_t{system_coordinate} * scale;
    return static_cast<int>(
        std::clamp<int64_t>(screen, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void blit_enlarged(SDL_Surface *source, SDL_Surface *target, const SDL_Rect &box)
{
    const int left = std::max(box.x, 0) * scale;
    const int top = std::max(box.y, 0) * scale;
    const int right = std::min(target->w, std::min(source->w, box.x + box.w) * scale);
    const int bottom = std::min(target->h, std::min(source->h, box.y + box.h) * scale);
    const int bytes_per_pixel = target->format->BytesPerPixel;
    if (left >= right || top >= bottom || SDL_LockSurface(target) != 0) {
        return;
    }
    const size_t row_bytes = static_cast<size_t>(right - left) * bytes_per_pixel;
    auto *pixels = static_cast<uint8_t *>(target->pixels) + static_cast<size_t>(left) * bytes_per_pixel;
    const auto *source_pixels = static_cast<const uint8_t *>(source->pixels) +
                                static_cast<size_t>(left / scale) * source->format->BytesPerPixel;
    for (int y = top; y < bottom; y += scale) {
        uint8_t *first = pixels + static_cast<size_t>(y) * target->pitch;
        enlarge_row(source_pixels + static_cast<size_t>(y / scale) * source->pitch, bytes_per_pixel, first,
                    right - left);
        for (int copy = y + 1; copy < std::min(y + scale, bottom); ++copy) {
            std::memcpy(pixels + static_cast<size_t>(copy) * target->pitch, first, row_bytes);
        }
    }
    SDL_UnlockSurface(target);
}

}  // namespace qz370::sdl
