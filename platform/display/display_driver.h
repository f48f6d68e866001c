// The seam between the window system and a display: one small table of entry
// points per backend. The window system keeps every window's client pixels and
// menus itself; a backend shows them and turns a user's input into messages.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qz370::platform {

struct DisplayDriver {
    const char *name;
    void (*screen_size)(int *width, int *height);
    // A top-level window was created, shown or hidden, moved, retitled, or got
    // a new menu bar.
    void (*window_changed)(HWND hwnd);
    void (*window_destroyed)(HWND hwnd);
    // The keyboard focus moved into this top-level window: bring it to the
    // front with the keyboard. May be null: such a display's input goes
    // where it is sent.
    void (*activate)(HWND hwnd);
    // The client pixels of a top-level window changed; show them before the
    // program next waits or polls.
    void (*client_changed)(HWND hwnd);
    int64_t (*now_ms)();
    // Move pending input into the message queue and show changed windows;
    // never blocks.
    void (*poll)();
    // Block until input arrives or the clock reaches deadline_ms (-1: no
    // deadline). Shows changed windows first.
    void (*wait)(int64_t deadline_ms);
    // Run the modal loop of the window's menu bar (opened by a click or by the
    // keyboard when from_keyboard is set); delivers WM_COMMAND for the item
    // chosen. May be null: such a display chooses menu items only by command.
    void (*track_menu)(HWND hwnd, bool from_keyboard);
};

void set_display_driver(const DisplayDriver *driver);
const DisplayDriver &headless_display_driver();
const DisplayDriver &display_driver();  // the headless driver unless another was set

}  // namespace qz370::platform
