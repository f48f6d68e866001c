// Reading an animated GIF back as a viewer shows it, image by image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz370::test {

struct ShownImage {
    std::vector<uint32_t> pixels;  // the whole screen after the image, 0x00RRGGBB
    int delay;                     // in hundredths of a second
};

struct AnimatedGif {
    int width = 0;
    int height = 0;
    bool loops_forever = false;
    std::vector<ShownImage> images;
};

// False, with the reason in error, when the file is no GIF or uses a
// disposal other than leaving each image in place.
bool read_animated_gif(const std::string &path, AnimatedGif &gif, std::string &error);

}  // namespace qz370::test
