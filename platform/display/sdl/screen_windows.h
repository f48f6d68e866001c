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
    bool needs_present;       // the client pixels changed
    bool needs_whole_present;  // anything else did, or the window was uncovered
    // Above scale 1: the content at the window system's own size, in the
    // screen's pixel format, put together there and then enlarged.
    SDL_Surface *unscaled;
    // The window surface last shown on, its size, and whether a menu was open
    // then: a new surface, or a menu opened, moved or closed, shows it all.
    SDL_Surface *surface;
    int surface_width;
    int surface_height;
    bool menu_was_open;
};

ScreenWindow *screen_window_of(HWND hwnd);             // null when the window has no SDL window
ScreenWindow *screen_window_with_id(Uint32 window_id);  // null for a window SDL no longer knows

// The height of the menu bar a top-level window shows above its client area.
int menu_bar_height(HWND hwnd);

// Makes the SDL window follow the top-level window: made, shown or hidden,
// moved, retitled, resized.
void follow_window(HWND hwnd);
void forget_window(HWND hwnd);
// Raises a shown window and gives it the keyboard.
void activate(HWND hwnd);
// The window is shown whole at its next turn.
void mark_for_present(HWND hwnd);
// Only the client pixels changed: their changed box is shown at its next turn.
void mark_client_for_present(HWND hwnd);
void present_changed_windows();

}  // namespace qz370::sdl
