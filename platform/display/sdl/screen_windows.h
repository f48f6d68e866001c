// The SDL windows of the desktop display: one for each top-level window of the
// window system, its content the menu bar (when the window has one) above the
// client pixels. The window manager draws caption and frame.
#pragma once

#include <SDL.h>

#include <windows.h>

#include <string>

namespace qz370::sdl {

struct ScreenWindow {
    HWND hwnd;
    SDL_Window *window;
    // What SDL was last told or last reported, so that only real changes
    // travel either way.
    std::string title;
    POINT position;
    int content_width;
    int content_height;
    bool shown;
    bool needs_present;
    // Above scale 1: the content at the window system's own size, in the
    // screen's pixel format, put together there and then enlarged.
    SDL_Surface *unscaled;
};

ScreenWindow *screen_window_of(HWND hwnd);             // null when the window has no SDL window
ScreenWindow *screen_window_with_id(Uint32 window_id);  // null for a window SDL no longer knows

// The height of the menu bar a top-level window shows above its client area.
int menu_bar_height(HWND hwnd);

// Makes the SDL window follow the top-level window: made, shown or hidden,
// moved, retitled, resized.
void follow_window(HWND hwnd);
void forget_window(HWND hwnd);
void mark_for_present(HWND hwnd);
void present_changed_windows();

}  // namespace qz370::sdl
