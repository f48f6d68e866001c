// The display of a web page: each top-level window shown in the page with its
// frame, caption and menu bar, its client pixels on a <canvas>.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qz370::web {

// Makes the page the current display; false where there is no page to show
// windows in (under node).
bool use();

// For the display's own files: shows every window whose client pixels
// changed, sleeps until the page holds input or the clock reaches
// deadline_ms (-1: no deadline), and the height of the menu bar a window
// shows.
void show_changed_windows();
void wait_for_input(int64_t deadline_ms);
int menu_bar_height(HWND hwnd);

}  // namespace qz370::web
