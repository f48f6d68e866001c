// The page's entry points for the window system: windows follow their
// records, changed pixels go to their canvases before the program waits, and
// a wait sleeps in the browser until input or the next timer.
#include "display/web/web_display.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "display/display_driver.h"
#include "display/web/web_input.h"
#include "display/web/web_menu.h"
#include "display/web/web_page.h"
#include "user/window_internals.h"
#include "user/window_system.h"

namespace qz370::web {

namespace {

std::vector<HWND> changed_windows;  // in the order they changed
std::vector<HWND> shown_windows;    // those the page has an element for

uint32_t id_of(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

void screen_size(int *width, int *height) { qz370_page_screen_size(width, height); }

void mark_changed(HWND hwnd)
{
    if (std::find(changed_windows.begin(), changed_windows.end(), hwnd) == changed_windows.end()) {
        changed_windows.push_back(hwnd);
    }
}

void show_window_element(HWND hwnd, platform::Window &window)
{
    if (std::find(shown_windows.begin(), shown_windows.end(), hwnd) == shown_windows.end()) {
        shown_windows.push_back(hwnd);
    }
    qz370_page_show_window(id_of(hwnd), window.class_name.c_str(), window.title.c_str(), window.frame.left,
                           window.frame.top, window.frame.right - window.frame.left,
                           window.frame.bottom - window.frame.top, window.client.right - window.client.left,
                           window.client.bottom - window.client.top, menu_bar_height(hwnd), window.visible);
    show_menu_bar(hwnd);
}

void window_changed(HWND hwnd)
{
    platform::Window *window = platform::window_from(hwnd);
    if (window != nullptr && window->parent == nullptr) {
        show_window_element(hwnd, *window);
        mark_changed(hwnd);
    }
}

void window_destroyed(HWND hwnd)
{
    std::erase(changed_windows, hwnd);
    if (std::find(shown_windows.begin(), shown_windows.end(), hwnd) != shown_windows.end()) {
        std::erase(shown_windows, hwnd);
        qz370_page_remove_window(id_of(hwnd));
    }
}

void show_client(HWND hwnd, platform::Window &window)
{
    RECT changed;
    const uint32_t *rows = platform::client_pixels_to_show(window, &changed);
    if (changed.right > changed.left && changed.bottom > changed.top) {
        qz370_page_show_client(id_of(hwnd), rows + static_cast<size_t>(changed.top) * window.pixel_stride +
                                                 changed.left,
                               window.pixel_stride, changed.left, changed.top, changed.right - changed.left,
                               changed.bottom - changed.top);
    }
}

int64_t now_ms() { return static_cast<int64_t>(std::floor(qz370_page_now_ms())); }

void poll()
{
    translate_pending_input();
    show_changed_windows();
}

void wait(int64_t deadline_ms)
{
    show_changed_windows();
    wait_for_input(deadline_ms);
    translate_pending_input();
}

const platform::DisplayDriver PAGE_DRIVER = {
    // The page sends typed keys to the window the program gave the focus.
    "web", screen_size, window_changed, window_destroyed, nullptr, mark_changed, now_ms, poll, wait, track_menu_bar,
};

}  // namespace

// A hidden window keeps its changes until it is shown.
void show_changed_windows()
{
    std::vector<HWND> pending;
    pending.swap(changed_windows);
    for (HWND hwnd : pending) {
        platform::Window *window = platform::window_from(hwnd);
        if (window == nullptr) {
            continue;
        }
        if (!window->visible) {
            changed_windows.push_back(hwnd);
        } else {
            show_client(hwnd, *window);
        }
    }
}

void wait_for_input(int64_t deadline_ms)
{
    if (!input_pending()) {
        qz370_page_wait(deadline_ms < 0 ? -1.0 : static_cast<double>(std::max<int64_t>(0, deadline_ms - now_ms())));
    }
}

int menu_bar_height(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    return window != nullptr && platform::menu_from(window->menu) != nullptr ? platform::MENU_BAR : 0;
}

bool use()
{
    if (!qz370_page_present()) {
        return false;
    }
    platform::set_display_driver(&PAGE_DRIVER);
    platform::set_debug_output_hook(qz370_page_debug_output);
    return true;
}

}  // namespace qz370::web
