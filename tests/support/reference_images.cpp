#include "reference_images.h"

#include <png.h>

#include <algorithm>
#include <fstream>

namespace qz370::test_images {

namespace {

// The box of the non-white pixels, or an empty box (left > right) when there are none.
struct Box {
    int left, top, right, bottom;
};

Box non_white_box(const Image &image) {
    Box box = {image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.pixels[static_cast<size_t>(y) * image.width + x] != WHITE) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

}  // namespace

bool read_png(const std::string &path, Image *image, std::string *error) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        *error = path + ": " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
        *error = path + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    image->width = static_cast<int>(png.width);
    image->height = static_cast<int>(png.height);
    image->pixels.resize(static_cast<size_t>(image->width) * image->height);
    for (size_t i = 0; i < image->pixels.size(); ++i)
        image->pixels[i] = (uint32_t{rgb[i * 3]} << 16) | (uint32_t{rgb[i * 3 + 1]} << 8) | rgb[i * 3 + 2];
    return true;
}

bool read_ppm(const std::string &path, Image *image, std::string *error) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    if (!(file >> magic >> image->width >> image->height >> maximum) || magic != "P6" || maximum != 255 ||
        image->width <= 0 || image->height <= 0) {
        *error = path + ": not a binary 8-bit PPM";
        return false;
    }
    file.get();  // the one whitespace byte before the pixels
    std::vector<unsigned char> rgb(static_cast<size_t>(image->width) * image->height * 3);
    if (!file.read(reinterpret_cast<char *>(rgb.data()), static_cast<std::streamsize>(rgb.size()))) {
        *error = path + ": too short";
        return false;
    }
    image->pixels.resize(static_cast<size_t>(image->width) * image->height);
    for (size_t i = 0; i < image->pixels.size(); ++i)
        image->pixels[i] = (uint32_t{rgb[i * 3]} << 16) | (uint32_t{rgb[i * 3 + 1]} << 8) | rgb[i * 3 + 2];
    return true;
}

Agreement compare(const Image &ours, const Image &reference) {
    Agreement agreement;
    Box box = non_white_box(reference);
    for (int y = 0; y < reference.height; ++y) {
        for (int x = 0; x < reference.width; ++x) {
            size_t i = static_cast<size_t>(y) * reference.width + x;
            uint32_t mine = ours.pixels[i], theirs = reference.pixels[i];
            if (mine != theirs) ++agreement.differing;
            if (mine != WHITE || theirs != WHITE) ++agreement.shape_pixels;
            bool inside = x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
            if (mine != WHITE && !inside) agreement.outside_box = true;
        }
    }
    return agreement;
}

}  // namespace qz370::test_images
