#include "display/sdl/screen_windows.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_tracking.h"
#include "display/sdl/window_scale.h"
#include "rects.h"
#include "user/window_system.h"

namespace qz370::sdl {

using namespace menus;  // the classic look, shared with the web page

namespace {

constexpr int BYTES_PER_PIXEL = 4;
constexpr int BITS_PER_PIXEL = 32;

std::vector<std::unique_ptr<ScreenWindow>> screen_windows;

int content_width_of(const platform::Window &window) { return window.client.right - window.client.left; }

int content_height_of(HWND hwnd, const platform::Window &window)
{
    return window.client.bottom - window.client.top + menu_bar_height(hwnd);
}

bool is_resizable(const platform::Window &window) { return (window.style & WS_THICKFRAME) != 0; }

ScreenWindow *open_screen_window(HWND hwnd, const platform::Window &window)
{
    int width = std::max(1, content_width_of(window));
    int height = std::max(1, content_height_of(hwnd, window));
    Uint32 flags = SDL_WINDOW_HIDDEN | (is_resizable(window) ? SDL_WINDOW_RESIZABLE : 0);
    SDL_Window *sdl_window =
        SDL_CreateWindow(window.title.c_str(), to_screen_pixels(window.frame.left), to_screen_pixels(window.frame.top),
                         to_screen_pixels(width), to_screen_pixels(height), flags);
    if (sdl_window == nullptr) {
        return nullptr;
    }
    // A dialog stays above the window it belongs to.
    if (ScreenWindow *owner = screen_window_of(window.owner)) {
        SDL_SetWindowModalFor(sdl_window, owner->window);
    }
    screen_windows.push_back(std::make_unique<ScreenWindow>(ScreenWindow{
        hwnd, sdl_window, window.title, POINT{window.frame.left, window.frame.top}, width, height, false, false, true,
        nullptr, nullptr, 0, 0, false}));
    return screen_windows.back().get();
}

void follow_geometry(ScreenWindow &screen, HWND hwnd, const platform::Window &window)
{
    POINT position{window.frame.left, window.frame.top};
    if (position.x != screen.position.x || position.y != screen.position.y) {
        SDL_SetWindowPosition(screen.window, to_screen_pixels(position.x), to_screen_pixels(position.y));
        screen.position = position;
    }
    int width = std::max(1, content_width_of(window));
    int height = std::max(1, content_height_of(hwnd, window));
    if (width != screen.content_width || height != screen.content_height) {
        SDL_SetWindowSize(screen.window, to_screen_pixels(width), to_screen_pixels(height));
        screen.content_width = width;
        screen.content_height = height;
    }
}

void follow_visibility(ScreenWindow &screen, const platform::Window &window)
{
    if (window.visible == screen.shown) {
        return;
    }
    screen.shown = window.visible;
    if (window.visible) {
        SDL_ShowWindow(screen.window);
        SDL_RaiseWindow(screen.window);
    } else {
        SDL_HideWindow(screen.window);
    }
}

// Rows of pixels lie stride pixels apart.
void blit_pixels(const uint32_t *pixels, int width, int height, int stride, SDL_Surface *target, int x, int y)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(pixels), width, height,
                                                             BITS_PER_PIXEL, stride * BYTES_PER_PIXEL,
                                                             SDL_PIXELFORMAT_RGB888);
    if (source == nullptr) {
        return;
    }
    SDL_Rect place{x, y, width, height};
    SDL_BlitSurface(source, nullptr, target, &place);
    SDL_FreeSurface(source);
}

Uint32 mapped_color(const SDL_PixelFormat *format, uint32_t rgb)
{
    return SDL_MapRGB(format, static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb));
}

void show_menu_bar(HWND hwnd, const platform::Window &window, SDL_Surface *target, int bar_item)
{
    int width = content_width_of(window);
    const platform::Menu *bar = platform::menu_from(window.menu);
    if (width <= 0) {
        return;
    }
    std::vector<uint32_t> strip(static_cast<size_t>(width) * platform::MENU_BAR, MENU_FACE);
    if (bar != nullptr) {
        raster::Surface surface{strip.data(), width, platform::MENU_BAR, width, RECT{0, 0, width, platform::MENU_BAR}};
        draw_menu_bar(surface, *bar, bar_item);
    }
    blit_pixels(strip.data(), width, menu_bar_height(hwnd), width, target, 0, 0);
}

// Where the content is put together: the window's own surface at scale 1.
// A surface made afresh holds nothing yet: then everything is drawn on it.
SDL_Surface *content_surface(ScreenWindow &screen, SDL_Surface *shown, bool *made)
{
    if (window_scale() == 1) {
        return shown;
    }
    SDL_Surface *&unscaled = screen.unscaled;
    if (unscaled != nullptr && (unscaled->w != screen.content_width || unscaled->h != screen.content_height ||
                                unscaled->format->format != shown->format->format)) {
        SDL_FreeSurface(unscaled);
        unscaled = nullptr;
    }
    if (unscaled == nullptr) {
        unscaled = SDL_CreateRGBSurfaceWithFormat(0, screen.content_width, screen.content_height,
                                                  shown->format->BitsPerPixel, shown->format->format);
        *made = true;
    }
    return unscaled;
}

// True when SDL gave a window surface other than the one last shown on, or
// the same one at another size: what that showed is gone.
bool surface_replaced(ScreenWindow &screen, SDL_Surface *shown)
{
    const bool replaced =
        shown != screen.surface || shown->w != screen.surface_width || shown->h != screen.surface_height;
    screen.surface = shown;
    screen.surface_width = shown->w;
    screen.surface_height = shown->h;
    return replaced;
}

// Content coordinates scaled to the screen and cut to the window surface.
SDL_Rect on_screen(const SDL_Rect &box, const SDL_Surface *shown)
{
    const int left = std::min(to_screen_pixels(box.x), shown->w);
    const int top = std::min(to_screen_pixels(box.y), shown->h);
    return SDL_Rect{left, top, std::min(to_screen_pixels(box.x + box.w), shown->w) - left,
                    std::min(to_screen_pixels(box.y + box.h), shown->h) - top};
}

struct Showing {
    ScreenWindow &screen;
    const platform::Window &window;
    const uint32_t *client_rows;
    SDL_Surface *shown;
    SDL_Surface *target;  // shown, or above scale 1 the content at the window system's size
};

void show_everything(const Showing &showing, const MenuOverlay &overlay, bool menu_open)
{
    const platform::Window &window = showing.window;
    SDL_Surface *shown = showing.shown;
    const int bar = menu_bar_height(showing.screen.hwnd);
    if (shown->w > to_screen_pixels(content_width_of(window)) ||
        shown->h > to_screen_pixels(content_height_of(showing.screen.hwnd, window))) {
        SDL_FillRect(shown, nullptr, mapped_color(shown->format, MENU_FACE));
    }
    if (bar > 0) {
        show_menu_bar(showing.screen.hwnd, window, showing.target, overlay.bar_item);
    }
    blit_pixels(showing.client_rows, window.pixel_width, window.pixel_height, window.pixel_stride, showing.target, 0,
                bar);
    if (menu_open) {
        blit_pixels(overlay.popup_pixels, overlay.popup_width, overlay.popup_height, overlay.popup_width,
                    showing.target, overlay.popup_origin.x, overlay.popup_origin.y);
    }
    if (showing.target != shown) {
        blit_enlarged(showing.target, shown, SDL_Rect{0, 0, showing.target->w, showing.target->h});
    }
    SDL_UpdateWindowSurface(showing.screen.window);
}

// Rows are compared a run of this many pixels at a time before pixel by pixel.
constexpr LONG COMPARED_RUN = 16;

bool same_pixels(const uint32_t *mine, const uint32_t *shown, LONG left, LONG right)
{
    return std::memcmp(mine + left, shown + left, static_cast<size_t>(right - left) * sizeof(uint32_t)) == 0;
}

// Of two rows that differ within [left, right): where the difference starts,
// and one past where it ends.
LONG first_difference(const uint32_t *mine, const uint32_t *shown, LONG left, LONG right)
{
    while (left + COMPARED_RUN <= right && same_pixels(mine, shown, left, left + COMPARED_RUN)) {
        left += COMPARED_RUN;
    }
    while (mine[left] == shown[left]) {
        ++left;
    }
    return left;
}

LONG end_of_difference(const uint32_t *mine, const uint32_t *shown, LONG left, LONG right)
{
    while (right - COMPARED_RUN >= left && same_pixels(mine, shown, right - COMPARED_RUN, right)) {
        right -= COMPARED_RUN;
    }
    while (mine[right - 1] == shown[right - 1]) {
        --right;
    }
    return right;
}

// Whether the target holds pixels as the client does, so that rows can be
// compared with it.
bool holds_client_pixels(const SDL_Surface *target)
{
    return target->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(target);
}

// Only the run of each row that differs from what the target holds is copied
// there (and enlarged): a scrolled line changes only as far as its text or
// the text it replaces reaches, a redrawn frame only where something moved,
// and every pixel left out is one less to enlarge and send to the screen.
// Gives the box of the rows' runs that differed, empty when none did.
RECT show_differing_runs(const Showing &showing, const RECT &box, int bar)
{
    SDL_Surface *target = showing.target;
    RECT shown{0, 0, 0, 0};
    for (LONG row = box.top; row < box.bottom; ++row) {
        const uint32_t *mine = showing.client_rows + static_cast<size_t>(row) * showing.window.pixel_stride;
        auto *held = reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(target->pixels) +
                                                  static_cast<size_t>(row + bar) * target->pitch);
        if (same_pixels(mine, held, box.left, box.right)) {
            continue;
        }
        const LONG left = first_difference(mine, held, box.left, box.right);
        const LONG right = end_of_difference(mine, held, left, box.right);
        std::memcpy(held + left, mine + left, static_cast<size_t>(right - left) * sizeof(uint32_t));
        if (target != showing.shown) {
            blit_enlarged(target, showing.shown, SDL_Rect{left, row + bar, right - left, 1});
        }
        shown = platform::joined(shown, RECT{left, row, right, row + 1});
    }
    return shown;
}

// The box of the client's pixels (client pixels) put on the target.
RECT show_box(const Showing &showing, const RECT &box, int bar)
{
    const size_t first = static_cast<size_t>(box.top) * static_cast<size_t>(showing.window.pixel_stride) +
                         static_cast<size_t>(box.left);
    const SDL_Rect place{box.left, bar + box.top, box.right - box.left, box.bottom - box.top};
    blit_pixels(showing.client_rows + first, place.w, place.h, showing.window.pixel_stride, showing.target, place.x,
                place.y);
    if (showing.target != showing.shown) {
        blit_enlarged(showing.target, showing.shown, place);
    }
    return box;
}

// Only the box of client pixels that changed travels, and only its part of
// the screen is updated.
void show_changed_box(const Showing &showing, const RECT &changed)
{
    const platform::Window &window = showing.window;
    const int bar = menu_bar_height(showing.screen.hwnd);
    const RECT within = RECT{0, 0, std::min(window.pixel_width, showing.target->w),
                             std::min(window.pixel_height, showing.target->h - bar)};
    RECT box = platform::intersection(changed, within);
    if (platform::is_empty(box)) {
        return;
    }
    box = holds_client_pixels(showing.target) ? show_differing_runs(showing, box, bar) : show_box(showing, box, bar);
    const SDL_Rect updated =
        on_screen(SDL_Rect{box.left, bar + box.top, box.right - box.left, box.bottom - box.top}, showing.shown);
    if (updated.w > 0 && updated.h > 0) {
        SDL_UpdateWindowSurfaceRects(showing.screen.window, &updated, 1);
    }
}

// The whole window when it was uncovered, its surface is new, or a menu is
// or was open over it (the menu is drawn over the client and the bar); else
// just the client pixels that changed.
void present(ScreenWindow &screen)
{
    screen.needs_present = false;
    platform::Window *window = platform::window_from(screen.hwnd);
    SDL_Surface *shown = SDL_GetWindowSurface(screen.window);
    if (window == nullptr || shown == nullptr) {
        return;  // a whole present asked for waits for the next turn
    }
    bool whole = std::exchange(screen.needs_whole_present, false);
    whole = surface_replaced(screen, shown) || whole;
    SDL_Surface *target = content_surface(screen, shown, &whole);
    if (target == nullptr) {
        return;
    }
    MenuOverlay overlay{NO_ITEM, nullptr, 0, 0, POINT{0, 0}};
    const bool menu_open = menu_overlay_of(screen.hwnd, &overlay);
    const bool menu_was_open = std::exchange(screen.menu_was_open, menu_open);
    RECT changed;
    const Showing showing{screen, *window, platform::client_pixels_to_show(*window, &changed), shown, target};
    if (whole || menu_open || menu_was_open) {
        show_everything(showing, overlay, menu_open);
    } else {
        show_changed_box(showing, changed);
    }
}

}  // namespace

ScreenWindow *screen_window_of(HWND hwnd)
{
    for (auto &screen : screen_windows) {
        if (screen->hwnd == hwnd) {
            return screen.get();
        }
    }
    return nullptr;
}

ScreenWindow *screen_window_with_id(Uint32 window_id)
{
    SDL_Window *sdl_window = SDL_GetWindowFromID(window_id);
    for (auto &screen : screen_windows) {
        if (sdl_window != nullptr && screen->window == sdl_window) {
            return screen.get();
        }
    }
    return nullptr;
}

int menu_bar_height(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    bool has_bar = window != nullptr && window->parent == nullptr && window->menu != nullptr;
    return has_bar ? platform::MENU_BAR : 0;
}

void follow_window(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    if (window == nullptr || window->parent != nullptr) {
        return;
    }
    ScreenWindow *screen = screen_window_of(hwnd);
    if (screen == nullptr) {
        // A window never shown needs no SDL window yet.
        screen = window->visible ? open_screen_window(hwnd, *window) : nullptr;
        if (screen == nullptr) {
            return;
        }
    }
    if (window->title != screen->title) {
        SDL_SetWindowTitle(screen->window, window->title.c_str());
        screen->title = window->title;
    }
    follow_geometry(*screen, hwnd, *window);
    follow_visibility(*screen, *window);
    screen->needs_whole_present = true;
}

void forget_window(HWND hwnd)
{
    auto found = std::find_if(screen_windows.begin(), screen_windows.end(),
                              [&](const auto &screen) { return screen->hwnd == hwnd; });
    if (found != screen_windows.end()) {
        SDL_FreeSurface((*found)->unscaled);
        SDL_DestroyWindow((*found)->window);
        screen_windows.erase(found);
    }
}

// The window manager is asked to activate the window; with none, nobody else
// moves the keyboard, so the window takes it itself. A hidden or minimised
// window cannot take it: the X server refuses the focus to a window not seen.
void activate(HWND hwnd)
{
    ScreenWindow *screen = screen_window_of(hwnd);
    if (screen == nullptr || !screen->shown || (SDL_GetWindowFlags(screen->window) & SDL_WINDOW_MINIMIZED) != 0) {
        return;
    }
    SDL_RaiseWindow(screen->window);
    SDL_SetWindowInputFocus(screen->window);
}

void mark_for_present(HWND hwnd)
{
    if (ScreenWindow *screen = screen_window_of(hwnd)) {
        screen->needs_whole_present = true;
    }
}

void mark_client_for_present(HWND hwnd)
{
    if (ScreenWindow *screen = screen_window_of(hwnd)) {
        screen->needs_present = true;
    }
}

void present_changed_windows()
{
    for (auto &screen : screen_windows) {
        if ((screen->needs_present || screen->needs_whole_present) && screen->shown) {
            present(*screen);
        }
    }
}

}  // namespace qz370::sdl
