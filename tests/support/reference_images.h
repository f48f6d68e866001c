// Images of the GDI reference corpus (tests/data/gdi): reading the committed
// PNG references and PPM files, and measuring how far a drawing is from one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz370::test_images {

constexpr uint32_t WHITE = 0xFFFFFF;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
};

// False, with the reason in *error, when the file is missing or not a
// readable 8-bit PNG (any colour type) or binary PPM.
bool read_png(const std::string &path, Image *image, std::string *error);
bool read_ppm(const std::string &path, Image *image, std::string *error);

struct Agreement {
    int differing = 0;         // pixels of another colour than in the reference
    int shape_pixels = 0;      // pixels not white in the reference or in ours
    bool outside_box = false;  // ours has a non-white pixel outside the reference's box of them
};

// Both images must have the same size.
Agreement compare(const Image &ours, const Image &reference);

}  // namespace qz370::test_images
