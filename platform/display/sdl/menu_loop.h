// The desktop's side of the menu loop: SDL's events handed on to the shared
// loop as menu events, the open menu shown with its window's content
// (menus::menu_overlay_of).
#pragma once

#include <windows.h>

namespace qz370::sdl {

// Opened by the keyboard (Alt, F10), or by a press on the menu bar at x.
void track_menu_bar(HWND hwnd, bool from_keyboard);
void track_menu_at(HWND hwnd, int x);

}  // namespace qz370::sdl
