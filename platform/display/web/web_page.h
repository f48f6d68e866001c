// What the C++ side asks of the page's script (web_page.js): every call
// names a top-level window by its handle value.
#pragma once

#include <cstdint>

extern "C" {

int qz370_page_present();  // 0 where there is no page (under node)
void qz370_page_screen_size(int *width, int *height);
void qz370_page_show_window(uint32_t id, const char *class_name, const char *title, int left, int top,
                            int frame_width, int frame_height, int client_width, int client_height,
                            int menu_bar_height, int visible);
void qz370_page_remove_window(uint32_t id);
// A box of client pixels, 0x00RRGGBB, rows stride pixels apart.
void qz370_page_show_client(uint32_t id, const uint32_t *rows, int stride, int left, int top, int width,
                            int height);
void qz370_page_show_menu_bar(uint32_t id, const uint32_t *pixels, int width, int height);
// width 0 hides the pop-up.
void qz370_page_show_popup(uint32_t id, const uint32_t *pixels, int width, int height, int left, int top);
double qz370_page_now_ms();
// Sleeps (the stack kept by ASYNCIFY) until the user gives input or
// timeout_ms passes; a negative timeout waits for input only.
void qz370_page_wait(double timeout_ms);
// OutputDebugStringA's text, for the browser's console: the page's debugger.
void qz370_page_debug_output(const char *text);
// Takes the oldest input the page holds into fields; 0 when there is none.
int qz370_page_next_input(int32_t *fields);
}

namespace qz370::web {

// The kinds of input the page hands on, and the fields of each.
enum PageInput : int32_t {
    NO_INPUT = 0,
    MOUSE_DOWN = 1,  // window, x, y (client pixels, negative y over the menu bar), button (0 left, 2 right)
    MOUSE_UP = 2,
    MENU_BAR_DOWN = 3,  // window, x, y
    KEY_DOWN = 4,       // window (0: the focus), virtual key, code point typed or 0, modifiers
    KEY_UP = 5,
    CLOSE = 6,       // window: its close box
    MOUSE_MOVE = 7,  // window, x, y; only while a pop-up is open
};
constexpr int INPUT_FIELDS = 6;  // kind, window, then up to four values
constexpr int FIELD_KIND = 0;
constexpr int FIELD_WINDOW = 1;
constexpr int FIELD_X = 2;  // or the virtual key
constexpr int FIELD_Y = 3;  // or the code point typed
constexpr int32_t CONTROL_HELD = 1;
constexpr int32_t SHIFT_HELD = 2;
constexpr int32_t ALT_KEY_HELD = 4;

}  // namespace qz370::web
