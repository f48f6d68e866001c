// The modal loop of a window's menu bar, one for every screen: the open
// pop-up and its selected item, what the user's keys and pointer do to them,
// and the WM_COMMAND of the item chosen. While it runs the loop reads the
// user's input itself, so the program gets none; timers and repaints still
// reach their windows. A screen hands its own input on as menu events and
// shows the open menu when told.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qz370::menus {

enum MenuEventKind {
    KEY_PRESSED,      // virtual_key, repeat
    POINTER_MOVED,    // window, point
    BUTTON_PRESSED,   // window, point; any button
    BUTTON_RELEASED,  // window, point
    WINDOW_CLOSING,   // the user asked to close one of the program's windows
};

struct MenuEvent {
    MenuEventKind kind;
    int virtual_key = 0;
    bool repeat = false;  // the key is held down
    // The top-level window the pointer is over (null: none of the program's)
    // and where in its content: the menu bar's top-left corner is (0, 0).
    HWND window = nullptr;
    POINT point = POINT{0, 0};
};

// What a screen does for the loop.
struct MenuScreen {
    // The window's open menu changed, or closed: show its menu bar and
    // pop-up as menu_overlay_of tells.
    void (*show_menu)(HWND hwnd);
    // Shows what changed in the program's windows; called before each wait.
    void (*show_changed_windows)();
    // Waits until the user's input comes or the clock reaches deadline_ms
    // (-1: no deadline), and hands what came to handle_menu_event.
    void (*take_input)(int64_t deadline_ms);
};

// Opens the first bar item, with its first item selected when opened from
// the keyboard, and runs the loop until the menu closes.
void track_menu_bar(HWND hwnd, bool from_keyboard, const MenuScreen &screen);
// Opened by a press on the menu bar at x: the bar item there, if any.
void track_menu_at(HWND hwnd, int x, const MenuScreen &screen);

void handle_menu_event(const MenuEvent &event);
// From the menu's opening until an item is chosen or it is closed.
bool menu_is_open();

// What an open menu adds to its window's content when the window is shown.
struct MenuOverlay {
    int bar_item;  // the highlighted bar item
    const uint32_t *popup_pixels;  // null while the bar item opens no pop-up
    int popup_width;
    int popup_height;
    POINT popup_origin;  // in content coordinates, the menu bar's included
};

// False while the window's menu is closed.
bool menu_overlay_of(HWND hwnd, MenuOverlay *overlay);

}  // namespace qz370::menus
