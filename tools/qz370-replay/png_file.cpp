#include "png_file.h"

#include <png.h>

#include <bit>
#include <cstdio>

namespace replay {

namespace {

constexpr int BITS_PER_CHANNEL = 8;

// The pixels go to libpng as they lie in memory: four bytes each, the unused
// top byte dropped as filler.
void describe_pixel_layout(png_structp png) {
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
}

// The caller says what went wrong in its own words: libpng's are not printed.
[[noreturn]] void jump_back_quietly(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void ignore_warning(png_structp, png_const_charp) {}

// libpng reports errors by jumping back to the setjmp; nothing here has a
// destructor that the jump could skip.
bool encode(FILE *file, const uint32_t *pixels, int width, int height) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jump_back_quietly, ignore_warning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), BITS_PER_CHANNEL,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    describe_pixel_layout(png);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, reinterpret_cast<png_const_bytep>(pixels + static_cast<size_t>(y) * width));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png(const char *path, const uint32_t *pixels, int width, int height) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    FILE *file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    bool encoded = encode(file, pixels, width, height);
    return std::fclose(file) == 0 && encoded;
}

}  // namespace replay
