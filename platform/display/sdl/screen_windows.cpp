#include "display/sdl/screen_windows.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "display/sdl/menu_drawing.h"
#include "display/sdl/menu_look.h"
#include "display/sdl/menu_loop.h"
#include "display/sdl/window_scale.h"
#include "user/window_system.h"

namespace qz370::sdl {

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
        hwnd, sdl_window, window.title, POINT{window.frame.left, window.frame.top}, width, height, false, true,
        nullptr}));
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
SDL_Surface *content_surface(ScreenWindow &screen, SDL_Surface *shown)
{
    if (shown == nullptr || window_scale() == 1) {
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
    }
    return unscaled;
}

void present(ScreenWindow &screen)
{
    screen.needs_present = false;
    platform::Window *window = platform::window_from(screen.hwnd);
    SDL_Surface *shown = SDL_GetWindowSurface(screen.window);
    SDL_Surface *target = content_surface(screen, shown);
    if (window == nullptr || target == nullptr) {
        return;
    }
    int bar = menu_bar_height(screen.hwnd);
    if (shown->w > to_screen_pixels(content_width_of(*window)) ||
        shown->h > to_screen_pixels(content_height_of(screen.hwnd, *window))) {
        SDL_FillRect(shown, nullptr, mapped_color(shown->format, MENU_FACE));
    }
    MenuOverlay overlay{NO_ITEM, nullptr, 0, 0, POINT{0, 0}};
    bool menu_open = menu_overlay_of(screen.hwnd, &overlay);
    if (bar > 0) {
        show_menu_bar(screen.hwnd, *window, target, overlay.bar_item);
    }
    blit_pixels(platform::client_pixel_rows(*window), window->pixel_width, window->pixel_height, window->pixel_stride,
                target, 0, bar);
    if (menu_open) {
        blit_pixels(overlay.popup_pixels, overlay.popup_width, overlay.popup_height, overlay.popup_width, target,
                    overlay.popup_origin.x, overlay.popup_origin.y);
    }
    if (target != shown) {
        blit_enlarged(target, shown);
    }
    SDL_UpdateWindowSurface(screen.window);
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
    screen->needs_present = true;
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

void mark_for_present(HWND hwnd)
{
    if (ScreenWindow *screen = screen_window_of(hwnd)) {
        screen->needs_present = true;
    }
}

void present_changed_windows()
{
    for (auto &screen : screen_windows) {
        if (screen->needs_present && screen->shown) {
            present(*screen);
        }
    }
}

}  // namespace qz370::sdl
