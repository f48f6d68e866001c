// The headless display: a virtual clock that moves only while the program
// waits with nothing to do, a fixed screen, and window pixels shown to a hook.
#include "display/display_driver.h"
#include "headless.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace qz370::headless {

namespace {

using platform::Window;

constexpr int STUCK_EXIT_CODE = 3;

int64_t clock_ms = 0;
int screen_width = DEFAULT_SCREEN_WIDTH;
int screen_height = DEFAULT_SCREEN_HEIGHT;
std::function<void()> idle_hook;
std::function<void(HWND)> present_hook;
std::vector<HWND> changed_windows;  // in the order they changed
// Rows handed out by client_pixels() for windows whose rows lie apart.
std::map<HWND, std::vector<uint32_t>> packed_rows;

void screen_size(int *width, int *height)
{
    *width = screen_width;
    *height = screen_height;
}

void forget_window(HWND hwnd)
{
    std::erase(changed_windows, hwnd);
    packed_rows.erase(hwnd);
}

const uint32_t *rows_one_after_another(HWND hwnd, Window &window)
{
    const uint32_t *rows = platform::client_pixel_rows(window);
    if (window.pixel_stride == window.pixel_width) {
        return rows;
    }
    std::vector<uint32_t> &packed = packed_rows[hwnd];
    const size_t width = static_cast<size_t>(window.pixel_width);
    packed.resize(width * static_cast<size_t>(window.pixel_height));
    for (int row = 0; row < window.pixel_height; ++row) {
        std::copy_n(rows + static_cast<size_t>(row) * static_cast<size_t>(window.pixel_stride), width,
                    packed.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(row) * width));
    }
    return packed.data();
}

void ignore_window(HWND) {}

void client_changed(HWND hwnd)
{
    if (std::find(changed_windows.begin(), changed_windows.end(), hwnd) == changed_windows.end()) {
        changed_windows.push_back(hwnd);
    }
}

int64_t clock_now() { return clock_ms; }

// A hidden window keeps its changes until it is shown.
void show_changed_windows()
{
    std::vector<HWND> pending;
    pending.swap(changed_windows);
    for (HWND hwnd : pending) {
        if (!IsWindowVisible(hwnd)) {
            if (IsWindow(hwnd)) {
                changed_windows.push_back(hwnd);
            }
        } else if (present_hook) {
            present_hook(hwnd);
        }
    }
}

void wait_until(int64_t deadline_ms)
{
    show_changed_windows();
    uint64_t posted_before = platform::posted_message_count();
    if (idle_hook) {
        idle_hook();
    }
    if (platform::posted_message_count() != posted_before) {
        return;
    }
    if (deadline_ms >= 0) {
        clock_ms = std::max(clock_ms, deadline_ms);
        return;
    }
    if (!platform::message_ready()) {
        std::fprintf(stderr, "headless display: the program waits for input that can never come\n");
        std::exit(STUCK_EXIT_CODE);
    }
}

const platform::DisplayDriver headless_driver{
    "headless",
    screen_size,
    ignore_window,  // nothing on a screen to change
    forget_window,
    nullptr,  // input goes where the tests send it
    client_changed,
    clock_now,
    show_changed_windows,
    wait_until,
    nullptr,  // menu items are chosen by command only
};

}  // namespace

void use()
{
    platform::set_display_driver(&headless_driver);
}

void set_screen_size(int width, int height)
{
    screen_width = std::clamp(width, 1, platform::MAX_WINDOW_EXTENT);
    screen_height = std::clamp(height, 1, platform::MAX_WINDOW_EXTENT);
}

int64_t now_ms()
{
    return clock_ms;
}

void set_idle_hook(std::function<void()> hook)
{
    idle_hook = std::move(hook);
}

std::function<void(HWND)> set_present_hook(std::function<void(HWND)> hook)
{
    return std::exchange(present_hook, std::move(hook));
}

const uint32_t *client_pixels(HWND hwnd, int *width, int *height)
{
    Window *window = platform::window_from(hwnd);
    bool shown = window != nullptr && window->parent == nullptr;
    if (width != nullptr) {
        *width = shown ? window->pixel_width : 0;
    }
    if (height != nullptr) {
        *height = shown ? window->pixel_height : 0;
    }
    return shown ? rows_one_after_another(hwnd, *window) : nullptr;
}

void set_debug_output_hook(std::function<void(const char *)> hook)
{
    platform::set_debug_output_hook(std::move(hook));
}

void fail_allocations(int count) { platform::fail_next_allocations(count); }

}  // namespace qz370::headless

namespace qz370::platform {

const DisplayDriver &headless_display_driver()
{
    return headless::headless_driver;
}

}  // namespace qz370::platform
