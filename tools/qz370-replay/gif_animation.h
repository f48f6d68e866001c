// The frames shown as an animated GIF: one frame every 100 ms, looping, each
// pixel exactly as shown. A frame equal to the one before only lengthens it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace replay {

// The animation goes to file, which stays open.
void start_animation(FILE *file);

void add_animation_frame(const uint32_t *pixels, int width, int height);

// Ends the animation on the window's final picture. False, with the one line
// to show, when the GIF could not be written whole.
bool finish_animation(const uint32_t *final_pixels, int width, int height, std::string &error);

}  // namespace replay
