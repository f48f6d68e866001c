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
void enlarge_row(const uint8_t *source, int bytes_per_pixel, uint8_t *target, int target_width)
{
    if (bytes_per_pixel == static_cast<int>(sizeof(uint32_t))) {
        const uint32_t *from = reinterpret_cast<const uint32_t *>(source);
        uint32_t *to = reinterpret_cast<uint32_t *>(target);
        for (int x = 0; x < target_width; ++from) {
            for (int copy = 0; copy < scale && x < target_width; ++copy) {
                to[x++] = *from;
            }
        }
        return;
    }
    for (int x = 0; x < target_width; source += bytes_per_pixel) {
        for (int copy = 0; copy < scale && x < target_width; ++copy) {
            std::memcpy(target + (x++) * bytes_per_pixel, source, static_cast<size_t>(bytes_per_pixel));
        }
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
    return static_cast<int>(std::clamp<int64_t>(screen, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void blit_enlarged(SDL_Surface *source, SDL_Surface *target)
{
    int width = std::min(target->w, source->w * scale);
    int height = std::min(target->h, source->h * scale);
    int bytes_per_pixel = target->format->BytesPerPixel;
    if (SDL_LockSurface(target) != 0) {
        return;
    }
    auto *pixels = static_cast<uint8_t *>(target->pixels);
    for (int y = 0; y < height; y += scale) {
        uint8_t *first = pixels + static_cast<size_t>(y) * target->pitch;
        enlarge_row(static_cast<const uint8_t *>(source->pixels) + static_cast<size_t>(y / scale) * source->pitch,
                    bytes_per_pixel, first, width);
        for (int copy = y + 1; copy < std::min(y + scale, height); ++copy) {
            std::memcpy(pixels + static_cast<size_t>(copy) * target->pitch, first,
                        static_cast<size_t>(width) * bytes_per_pixel);
        }
    }
    SDL_UnlockSurface(target);
}

}  // namespace qz370::sdl
