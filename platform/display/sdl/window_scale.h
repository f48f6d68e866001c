// Windows enlarged on large screens: every pixel of the window system is shown
// as a square of screen pixels, a whole number wide, as the system does for a
// program that does not claim to handle large screens itself. The program
// sees the screen divided by the same factor, so its windows keep their share
// of it.
#pragma once

#include <SDL.h>

namespace qz370::sdl {

// QZ370_SCALE when set (1 to 8; anything else warns and gives 1), else a
// factor chosen from the height of the screen. Call once SDL's video is open.
void choose_window_scale();
int window_scale();

// A coordinate on the screen or in an SDL window, in the window system's
// pixels: a point anywhere in an enlarged pixel is that pixel.
int to_system_pixels(int screen_coordinate);
int to_screen_pixels(int system_coordinate);

// Draws the box of source (source pixels) into target, each pixel enlarged to
// the factor, as far as target reaches. Both surfaces have the same pixel
// format.
void blit_enlarged(SDL_Surface *source, SDL_Surface *target, const SDL_Rect &box);

}  // namespace qz370::sdl
