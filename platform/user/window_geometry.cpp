// Window geometry: the non-client frame of each style, the client rectangle
// and its pixels, and the calls that read or change a window's place and size.
#include "display/display_driver.h"
#include "rects.h"
#include "user/window_internals.h"

#include <algorithm>

namespace qz370::platform {

namespace {

bool has_caption(const Window &window)
{
    return (window.style & WS_CAPTION) == WS_CAPTION;
}

int frame_border(const Window &window)
{
    bool top_level = window.parent == nullptr;
    if ((window.style & (WS_DLGFRAME | WS_THICKFRAME)) != 0 || (top_level && (window.style & DS_MODALFRAME) != 0)) {
        return BORDER;
    }
    return (window.style & WS_BORDER) != 0 ? THIN_BORDER : 0;
}

// Keeps what overlaps; what is new starts white.
void resize_pixels(Window &window, int width, int height)
{
    if (width == window.pixel_width && height == window.pixel_height) {
        return;
    }
    end_pixel_loan_of(window);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), NEW_PIXEL);
    int common_width = std::min(width, window.pixel_width);
    int common_height = std::min(height, window.pixel_height);
    const uint32_t *old_rows = client_pixel_rows(window);
    for (int row = 0; row < common_height; ++row) {
        std::copy_n(old_rows + static_cast<ptrdiff_t>(row) * window.pixel_stride, common_width,
                    pixels.begin() + static_cast<ptrdiff_t>(row) * width);
    }
    window.pixels = std::move(pixels);
    window.first_pixel = 0;
    window.pixel_stride = width;
    window.pixel_width = width;
    window.pixel_height = height;
    note_client_replaced(window);
}

}  // namespace

RECT client_rect_for(const Window &window, const RECT &frame)
{
    int border = frame_border(window);
    RECT client{frame.left + border, frame.top + border, frame.right - border, frame.bottom - border};
    if (has_caption(window)) {
        client.top += CAPTION;
    }
    if (window.parent == nullptr && window.menu != nullptr) {
        client.top += MENU_BAR;
    }
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

int client_width(const Window &window) { return window.client.right - window.client.left; }
int client_height(const Window &window) { return window.client.bottom - window.client.top; }

bool set_frame(HWND hwnd, const RECT &frame)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return false;
    }
    int old_width = client_width(*window);
    int old_height = client_height(*window);
    window->frame = frame;
    window->client = client_rect_for(*window, frame);
    if (window->parent == nullptr) {
        resize_pixels(*window, client_width(*window), client_height(*window));
    }
    return client_width(*window) != old_width || client_height(*window) != old_height;
}

bool update_client(HWND hwnd)
{
    Window *window = window_from(hwnd);
    return window != nullptr && set_frame(hwnd, window->frame);
}

POINT client_origin_in_top_level(HWND hwnd)
{
    int64_t x = 0;
    int64_t y = 0;
    for (Window *window = window_from(hwnd); window != nullptr && window->parent != nullptr;
         window = window_from(window->parent)) {
        x += window->client.left;
        y += window->client.top;
    }
    return POINT{clamp_to_int(x), clamp_to_int(y)};
}

RECT visible_client_in_top_level(HWND hwnd)
{
    HWND top = top_level_of(hwnd);
    Window *top_window = window_from(top);
    if (top_window == nullptr) {
        return RECT{0, 0, 0, 0};
    }
    RECT visible{0, 0, top_window->pixel_width, top_window->pixel_height};
    for (HWND current = hwnd; current != top; current = window_from(current)->parent) {
        Window *window = window_from(current);
        POINT origin = client_origin_in_top_level(current);
        visible = intersection(visible, RECT{origin.x, origin.y, clamp_to_int(int64_t{origin.x} + client_width(*window)),
                                             clamp_to_int(int64_t{origin.y} + client_height(*window))});
    }
    return visible;
}

void send_size(HWND hwnd)
{
    Window *window = window_from(hwnd);
    if (window != nullptr) {
        SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client_width(*window), client_height(*window)));
    }
}

HWND window_under(HWND hwnd, POINT *point)
{
    std::vector<HWND> children = children_of(hwnd);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const Window *window = window_from(*child);
        if (window != nullptr && window->visible && point->x >= window->frame.left && point->x < window->frame.right &&
            point->y >= window->frame.top && point->y < window->frame.bottom) {
            *point = POINT{point->x - window->client.left, point->y - window->client.top};
            return window_under(*child, point);
        }
    }
    return hwnd;
}

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, client_width(*window), client_height(*window)};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window *window = window_from(hwnd);
    if (window == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = window->frame;
    if (window->parent != nullptr) {
        POINT parent_origin = client_origin_in_top_level(window->parent);
        Window *top = window_from(top_level_of(hwnd));
        int dx = parent_origin.x + top->client.left;
        int dy = parent_origin.y + top->client.top;
        *rect = RECT{rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy};
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    x = std::clamp(x, -MAX_WINDOW_POSITION, MAX_WINDOW_POSITION);
    y = std::clamp(y, -MAX_WINDOW_POSITION, MAX_WINDOW_POSITION);
    width = std::clamp(width, 0, MAX_WINDOW_EXTENT);
    height = std::clamp(height, 0, MAX_WINDOW_EXTENT);
    HWND parent = window->parent;
    bool resized = set_frame(hwnd, RECT{x, y, x + width, y + height});
    if (parent == nullptr) {
        display_driver().window_changed(hwnd);
    }
    send_size(hwnd);
    if (repaint) {
        // A child leaves its old place in its parent's pixels.
        if (parent != nullptr) {
            invalidate_window(parent, true);
        } else if (resized) {
            invalidate_window(hwnd, true);
        }
    }
    return TRUE;
}
