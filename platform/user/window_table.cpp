// The table of live windows behind HWND values, and the lookups the rest of
// the window system and the displays make in it.
#include "handles.h"
#include "user/window_internals.h"

#include <strings.h>

#include <map>
#include <memory>

namespace qz370::platform {

namespace {

std::map<uintptr_t, std::unique_ptr<WindowRecord>> windows;  // ordered by handle: creation order
std::vector<std::unique_ptr<WindowRecord>> buried;
int running_procedures = 0;

}  // namespace

WindowRecord *record_from(HWND hwnd)
{
    auto found = windows.find(value_of(hwnd));
    return found == windows.end() ? nullptr : found->second.get();
}

Window *window_from(HWND hwnd)
{
    WindowRecord *record = record_from(hwnd);
    return record == nullptr ? nullptr : &record->window;
}

HWND add_window(const Window &window)
{
    uintptr_t value = new_handle_value(HandleKind::WINDOW);
    auto record = std::make_unique<WindowRecord>();
    record->window = window;
    windows[value] = std::move(record);
    return handle_from_value<HWND>(value);
}

void bury_window(HWND hwnd)
{
    auto found = windows.find(value_of(hwnd));
    if (found == windows.end()) {
        return;
    }
    end_pixel_loan_of(found->second->window);
    std::vector<uint32_t>().swap(found->second->window.pixels);
    buried.push_back(std::move(found->second));
    windows.erase(found);
}

void free_buried_windows()
{
    if (!window_procedure_running()) {
        buried.clear();
    }
}

std::vector<HWND> all_windows()
{
    std::vector<HWND> result;
    result.reserve(windows.size());
    for (const auto &entry : windows) {
        result.push_back(handle_from_value<HWND>(entry.first));
    }
    return result;
}

void enter_window_procedure() { ++running_procedures; }
void leave_window_procedure() { --running_procedures; }
bool window_procedure_running() { return running_procedures > 0; }

HWND top_level_of(HWND hwnd)
{
    Window *window = window_from(hwnd);
    while (window != nullptr && window->parent != nullptr) {
        hwnd = window->parent;
        window = window_from(hwnd);
    }
    return window == nullptr ? nullptr : hwnd;
}

std::vector<HWND> top_level_windows()
{
    std::vector<HWND> result;
    for (const auto &entry : windows) {
        if (entry.second->window.parent == nullptr) {
            result.push_back(handle_from_value<HWND>(entry.first));
        }
    }
    return result;
}

std::vector<HWND> children_of(HWND hwnd)
{
    std::vector<HWND> result;
    for (const auto &entry : windows) {
        if (hwnd != nullptr && entry.second->window.parent == hwnd) {
            result.push_back(handle_from_value<HWND>(entry.first));
        }
    }
    return result;
}

// Whether the flag is set on the window and on every parent up to its
// top-level window; false for a handle that is not a live window.
static bool set_up_to_top_level(HWND hwnd, bool Window::*flag)
{
    const Window *window = window_from(hwnd);
    while (window != nullptr) {
        if (!(window->*flag)) {
            return false;
        }
        if (window->parent == nullptr) {
            return true;
        }
        window = window_from(window->parent);
    }
    return false;
}

bool is_visible_on_screen(HWND hwnd)
{
    return set_up_to_top_level(hwnd, &Window::visible);
}

bool accepts_input(HWND hwnd)
{
    return set_up_to_top_level(hwnd, &Window::enabled);
}

}  // namespace qz370::platform

BOOL WINAPI IsWindow(HWND hwnd)
{
    return qz370::platform::window_from(hwnd) != nullptr;
}

namespace {

bool names_match(const std::string &name, LPCSTR wanted)
{
    return wanted == nullptr || strcasecmp(name.c_str(), wanted) == 0;
}

}  // namespace

// Top-level windows only, the oldest first; a null name matches any. A class
// given by name or atom that was never registered matches no window.
HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName)
{
    using namespace qz370::platform;
    const WindowClass *window_class = className != nullptr ? find_class(className) : nullptr;
    if (className != nullptr && window_class == nullptr) {
        return nullptr;
    }
    for (HWND hwnd : all_windows()) {
        const Window *window = window_from(hwnd);
        if (window->parent == nullptr &&
            names_match(window->class_name, window_class != nullptr ? window_class->name.c_str() : nullptr) &&
            names_match(window->title, windowName)) {
            return hwnd;
        }
    }
    return nullptr;
}
