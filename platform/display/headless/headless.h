// The headless display: windows with real pixels and no screen, a virtual
// clock that moves only while the program waits with nothing to do (straight
// to the next due timer), and input given by the program itself. Tests, replays
// and any program run without a screen use it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace qz370::headless {

constexpr int DEFAULT_SCREEN_WIDTH = 1024;
constexpr int DEFAULT_SCREEN_HEIGHT = 768;

void use();  // make the headless display the current one (it is the default)
void set_screen_size(int width, int height);  // before the first window; the default size unless set

int64_t now_ms();

// Called whenever the program would block with nothing to do, before the clock
// jumps to the next due timer. It may give input; if it gives none and no timer
// is set, the program can never go on and the display ends the process with a
// message.
void set_idle_hook(std::function<void()> hook);
// Called each time a top-level window's changed client pixels are shown.
// Returns the hook set before, for a new one to pass each window on to.
std::function<void(HWND)> set_present_hook(std::function<void(HWND)> hook);
// Called with the text of every OutputDebugStringA call: the library sends each
// line it prints there, so a test or a replay can keep the whole log.
void set_debug_output_hook(std::function<void(const char *)> hook);

// Input, queued as a user's input would be. Positions are client pixels.
void click(HWND hwnd, int x, int y);
void key_down(HWND hwnd, int virtual_key);
void key_up(HWND hwnd, int virtual_key);
void type_char(HWND hwnd, unsigned char character);  // a key that types this character
void close_window(HWND hwnd);                          // the close box of its caption
bool choose_menu_item(HWND hwnd, UINT id);            // false if no such enabled item

// The next count GlobalAlloc calls fail, as when memory runs out.
void fail_allocations(int count);

// The client pixels of a top-level window, 0x00RRGGBB, row by row; valid
// until the window's pixels next change.
const uint32_t *client_pixels(HWND hwnd, int *width, int *height);

// XXH3 64 over those pixels, row by row, each as its 32-bit value in
// little-endian byte order: a frame's fingerprint, taken without a copy. 0 for
// a window that is not top-level.
uint64_t client_pixels_hash(HWND hwnd);

}  // namespace qz370::headless
