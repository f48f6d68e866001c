// The menu bar in the page and its modal loop: while a menu is open the loop
// reads the user's input itself; timers and repaints still reach their
// windows. Choosing an item posts WM_COMMAND with its id.
#pragma once

#include <windows.h>

namespace qz370::web {

// Opened by the keyboard (Alt, F10): the first bar item, its first item selected.
void track_menu_bar(HWND hwnd, bool from_keyboard);
// Opened by a press on the bar at x.
void track_menu_at(HWND hwnd, int x);
// Draws the window's menu bar, its open item highlighted.
void show_menu_bar(HWND hwnd);

}  // namespace qz370::web
