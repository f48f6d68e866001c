// What start-up knows of every program built on the library, as any tool
// looking at its windows could know it: the graphics window's class and the
// command ids of its Run menu.
#pragma once

#include <windows.h>

namespace qz370::entry {

constexpr const char *GRAPHICS_WINDOW_CLASS = "DrawWndClass";

constexpr UINT RUN_LOGGING = 4;
constexpr UINT RUN_RECORD = 5;
constexpr UINT RUN_PLAYBACK = 6;
constexpr UINT RUN_QUIT = 8;

// The graphics window, or null while the program has none.
HWND graphics_window();

// Chooses a Run menu command, as the menu or its Ctrl key would; false if
// there is no graphics window to send it to.
bool choose_run_command(UINT id);

// Chooses Quit (without a graphics window, posts the quit request). A program
// that still waits after many of them never ends: it is ended with a line
// naming it and STUCK_EXIT_CODE.
void insist_on_quit(const char *program_name);
constexpr int STUCK_EXIT_CODE = 3;

// Whether a Run menu item carries its check mark: Playback does exactly
// while a script plays back, Logging while the call log is on.
bool run_item_checked(UINT id);

// Whether a modal dialog holds the graphics window (it is disabled meanwhile).
bool graphics_window_held_by_dialog();

}  // namespace qz370::entry
