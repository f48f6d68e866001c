// The page's side of the menu loop: the page's input handed on to the shared
// loop as menu events, and the menu bar and open pop-up drawn into the page.
#pragma once

#include <windows.h>

namespace qz370::web {

// Opened by the keyboard (Alt, F10), or by a press on the menu bar at x.
void track_menu_bar(HWND hwnd, bool from_keyboard);
void track_menu_at(HWND hwnd, int x);
// Draws the window's menu bar, its open item highlighted.
void show_menu_bar(HWND hwnd);

}  // namespace qz370::web
