// What the parts of the window system share among themselves and nobody else:
// the window table with each window's private bookkeeping, classes, geometry,
// painting state, the queue's internal entry points, timers and the keyboard.
#pragma once

#include "user/window_system.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qz370::platform {

// ---- Window classes ---------------------------------------------------------

struct WindowClass {
    ATOM atom;
    std::string name;
    UINT style;
    WNDPROC proc;
    HINSTANCE instance;
    HBRUSH background;
};

const WindowClass *find_class(LPCSTR name_or_atom);
void ensure_control_classes();

// ---- The window table -------------------------------------------------------

struct WindowRecord {
    Window window;
    bool erase_pending;  // the next BeginPaint sends WM_ERASEBKGND
    bool ever_shown;     // the first show sends WM_SIZE
    bool destroying;     // inside DestroyWindow: a second destroy does nothing
};

WindowRecord *record_from(HWND hwnd);
HWND add_window(const Window &window);
// The handle dies at once; the record itself is freed only once no window
// procedure is running, since one may still be on the stack.
void bury_window(HWND hwnd);
void free_buried_windows();
std::vector<HWND> all_windows();  // in creation order: parents before their children

// Window procedures running right now, counted so that buried windows are
// freed only when none is.
void enter_window_procedure();
void leave_window_procedure();
bool window_procedure_running();

bool is_visible_on_screen(HWND hwnd);  // itself and every ancestor visible
bool accepts_input(HWND hwnd);         // itself and every ancestor enabled
void clear_focus_if(HWND hwnd);        // a window that goes takes the focus with it

// ---- Geometry -----------------------------------------------------------------

constexpr int THIN_BORDER = 1;                // WS_BORDER alone
constexpr int MAX_WINDOW_EXTENT = 8192;       // widest or tallest window, in pixels
constexpr int MAX_WINDOW_POSITION = 1 << 20;  // farthest a window may sit from the origin
constexpr uint32_t NEW_PIXEL = 0xFFFFFF;      // client pixels start white

RECT client_rect_for(const Window &window, const RECT &frame);
// Sets the outer rectangle, recomputes the client and the pixels; true if
// the client's size changed.
bool set_frame(HWND hwnd, const RECT &frame);
// Recomputes the client after a style or menu change; true if its size changed.
bool update_client(HWND hwnd);
int client_width(const Window &window);
int client_height(const Window &window);
POINT client_origin_in_top_level(HWND hwnd);  // where the window's client (0,0) is in its top-level pixels
RECT visible_client_in_top_level(HWND hwnd);   // the client clipped by its ancestors, top-level pixels
void send_size(HWND hwnd);

// ---- Client pixels --------------------------------------------------------------

// As client_pixel_rows(), for a caller about to paint all of painted (client
// pixels; null for none) with no regard to what it holds now.
uint32_t *client_pixel_rows_to_paint(Window &window, const RECT *painted);
// True when the whole client can scroll up by rows without moving its
// pixels: rows lies between 1 and half the client's height.
bool client_rows_slide(const Window &window, int rows);
// Scrolls the whole client up by rows without moving its pixels, leaving the
// rows it uncovers as they were, as ScrollDC does; false unless
// client_rows_slide. The pixels of the first unseen_rows rows before the
// scroll may be lost: nobody is to see them (the first rows scroll away).
bool slide_client_rows(Window &window, int rows, int unseen_rows);
// Takes pixels, a block of rows width long holding at least the client, as
// the client's pixels from now on, and gives back the old ones in a block of
// the same size; false when the block is too small for the client.
bool exchange_client_pixels(Window &window, std::vector<uint32_t> &pixels, int width, int height);
// The client pixels of a top-level window within reach were drawn on (any
// way; reach may spill over the client): its display shows them next.
void client_pixels_drawn(HWND top, const RECT &reach);
// As client_pixels_drawn, for a call that painted every pixel of box in color
// and nothing else.
void client_pixels_filled(HWND top, const RECT &box, uint32_t color);
// The same two for a window the caller has at hand, the display left to it.
void note_client_drawn(Window &window, const RECT &reach);
void note_client_filled(Window &window, const RECT &box, uint32_t color);
// Every pixel may have changed, and nothing is known of the columns.
void note_client_replaced(Window &window);
// The whole client scrolled: every row changed, except in the uniform columns.
void note_client_scrolled(Window &window);
// The column from which every client pixel is window.uniform_color, as far as
// is known; pixel_width when nothing is.
int uniform_from(const Window &window);
// The column from which every stored row, spare rows included, holds
// window.uniform_color; never left of uniform_from().
int stored_uniform_from(const Window &window);
// A bitmap whose pixels the client shows in place of a copy takes them back
// before they change or go (gdi/pixel_loan.cpp).
void end_pixel_loan_of(const Window &window);

// ---- Painting -------------------------------------------------------------------

void invalidate_window(HWND hwnd, bool erase);  // the window and its descendants
HWND window_needing_paint(HWND filter);         // parents before children; null if none
void validate_window(HWND hwnd);
bool take_erase_request(HWND hwnd);

// ---- Queue ------------------------------------------------------------------------

// Puts a message at the head of the queue: what TranslateMessage produces is
// read before input that came after its key.
void post_front(const MSG &msg);
DWORD message_time();
uint64_t posted_message_count();  // grows with every message queued
// True if a message for hwnd is retrieved under this filter: null takes all,
// -1 only thread messages, a window itself and its descendants.
bool matches_window_filter(HWND hwnd, HWND filter);

// ---- Timers -------------------------------------------------------------------------

// The earliest expired timer that matches the filter, as a WM_TIMER message;
// with remove set it is re-armed for its next period.
bool take_expired_timer(HWND filter, bool remove, MSG *msg);
bool any_timer_expired();
int64_t next_timer_due_for(HWND filter);  // -1 when no timer that matches is set
void kill_timers_of(HWND hwnd);
TIMERPROC timer_callback(HWND hwnd, UINT_PTR id);  // null unless such a timer has one

// ---- Keyboard -------------------------------------------------------------------------

// Follows Shift and Ctrl through every key message the program retrieves.
void track_modifier_keys(const MSG &msg);

// ---- Menus ------------------------------------------------------------------------------

// The item with this command id, searched through pop-ups; null if none.
MenuItem *find_menu_command(Menu *menu, UINT id);
// As find_menu_command, but only if the item and every pop-up on the way to it
// are enabled.
MenuItem *find_enabled_menu_command(Menu *menu, UINT id);

// ---- Movable memory -------------------------------------------------------------

// The next count GlobalAlloc calls fail, as when memory runs out.
void fail_next_allocations(int count);

// ---- Debug output -----------------------------------------------------------------

// Sees the text of every OutputDebugStringA call; an empty hook sees none.
void set_debug_output_hook(std::function<void(const char *)> hook);

}  // namespace qz370::platform
