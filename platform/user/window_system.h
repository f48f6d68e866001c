// The window system's own objects behind the Win32 handles: windows, menus and
// the message queue, as the display backends and the built-in controls see
// them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qz370::platform {

// Non-client sizes of this window system, in pixels. A captioned window keeps
// its outer size; its client area is what is left inside these.
constexpr int BORDER = 3;        // dialog frame and sizing frame alike
constexpr int CAPTION = 18;
constexpr int MENU_BAR = 16;

struct MenuItem {
    UINT flags;       // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    UINT_PTR id;      // command id, or the HMENU of a pop-up
    std::string text; // with '&' before the mnemonic and '\t' before the shortcut
};

struct Menu {
    bool popup;
    std::vector<MenuItem> items;
};

Menu *menu_from(HMENU menu);  // null for a handle that is not a live menu

struct Window {
    std::string class_name;
    std::string title;  // the window text: caption, control label, edit contents
    WNDPROC proc;
    UINT class_style;
    DWORD style;
    DWORD ex_style;
    HBRUSH background;
    HINSTANCE instance;
    HWND parent;        // children: their parent; top-level windows: null
    HWND owner;         // dialogs: the owner window
    HMENU menu;         // top-level: the menu bar; children: the control id
    RECT frame;         // outer rectangle, screen coordinates (children: parent client coordinates)
    RECT client;        // client rectangle, same coordinates as frame
    bool visible;
    bool enabled;
    bool needs_paint;
    // Client pixels, 0x00RRGGBB, of a top-level window; children draw into
    // their top-level window's pixels. Rows lie pixel_stride apart (at least
    // pixel_width) and row 0 starts at first_pixel, past spare rows once the
    // whole client has scrolled: read them through client_pixel_rows().
    int pixel_width;
    int pixel_height;
    int pixel_stride;
    std::vector<uint32_t> pixels;
    size_t first_pixel;
    int unsettled_rows;  // the bottom rows a scroll uncovered, still to be copied from the rows above
    // The box of client pixels changed since the display last took it.
    RECT changed;
    // The last uniform_columns columns of the client are all uniform_color (0:
    // nothing known), as the text window's short lines leave them: a
    // whole-client scroll leaves them as they were.
    int uniform_columns;
    uint32_t uniform_color;
    // As many of those columns (no more) hold uniform_color in every row of
    // pixels, spare rows included: copying rows there can be left out.
    int stored_uniform_columns;
    // Dialogs: the dialog procedure and the modal loop's state.
    DLGPROC dialog_proc;
    bool dialog_ended;
    INT_PTR dialog_result;
};

Window *window_from(HWND hwnd);  // null for a handle that is not a live window
// A top-level window's client pixels as they stand: row 0, the rest following
// pixel_stride apart.
uint32_t *client_pixel_rows(Window &window);
// As client_pixel_rows(), for a display about to show them: also gives the
// box of them changed since its last call (empty when none) and starts afresh.
uint32_t *client_pixels_to_show(Window &window, RECT *changed);
HWND top_level_of(HWND hwnd);
std::vector<HWND> top_level_windows();  // in creation order
std::vector<HWND> children_of(HWND hwnd);
// The deepest visible child under a point of hwnd's client area, the last made
// on top, as every display's click goes; the point becomes that window's
// client coordinates. hwnd itself when no child is there.
HWND window_under(HWND hwnd, POINT *point);

// The bits of a key message's lParam.
constexpr DWORD REPEAT_ONCE = 1;
constexpr DWORD ALT_HELD = 1u << 29;
constexpr DWORD KEY_WAS_DOWN = 1u << 30;
constexpr DWORD KEY_RELEASED = 1u << 31;

// The flags of a mouse message's wParam.
constexpr WPARAM MOUSE_LEFT_HELD = 0x0001;
constexpr WPARAM MOUSE_RIGHT_HELD = 0x0002;
constexpr WPARAM MOUSE_SHIFT_HELD = 0x0004;
constexpr WPARAM MOUSE_CONTROL_HELD = 0x0008;

// Queues a user's input for a window as the real system does: behind what is
// already queued, ahead of paint and timer messages.
void post_input(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the key-down and key-up of a key that types exactly this character:
// TranslateMessage of that key-down gives WM_CHAR with it, whatever the
// layout or the modifiers held. How a display hands on typed text.
void post_typed_character(HWND hwnd, unsigned char character);

// True while any message, paint or due timer is ready for PeekMessageA.
bool message_ready();
// The time the next timer falls due, or -1 when no timer is set.
int64_t next_timer_due();

// Registers the built-in classes ("EDIT", "BUTTON", "STATIC" and the dialog
// class); called once by the window system before the first window is made.
void register_control_classes();

}  // namespace qz370::platform
