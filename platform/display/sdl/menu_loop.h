// The modal loop of a window's menu bar: while it runs, this layer reads the
// user's input itself, so the program gets no input; timers and repaints still
// reach their windows. Choosing an item posts WM_COMMAND with its id.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qz370::sdl {

// Opens the pop-up of the given bar item and runs the loop until the menu is
// closed. A menu opened from the keyboard starts with its first item selected.
void track_menu(HWND hwnd, int bar_item, bool from_keyboard);
bool menu_is_tracked();

// What an open menu adds to its window's content when the window is shown.
struct MenuOverlay {
    int bar_item;  // the highlighted bar item
    const uint32_t *popup_pixels;
    int popup_width;
    int popup_height;
    POINT popup_origin;  // in content coordinates, the menu bar's included
};

// False while the window's menu is closed.
bool menu_overlay_of(HWND hwnd, MenuOverlay *overlay);

}  // namespace qz370::sdl
