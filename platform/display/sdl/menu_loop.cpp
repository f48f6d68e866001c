#include "display/sdl/menu_loop.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "display/sdl/key_codes.h"
#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_messages.h"
#include "display/sdl/screen_windows.h"
#include "display/sdl/sdl_clock.h"
#include "display/sdl/sdl_input.h"
#include "display/sdl/window_scale.h"
#include "user/window_system.h"

namespace qz370::sdl {

using namespace menus;  // the classic look, shared with the web page

namespace {

struct Tracking {
    HWND hwnd;
    int bar_item;
    HMENU popup;  // null while the bar item opens no pop-up
    PopupLayout layout;
    int selected;
    POINT origin;
    std::vector<uint32_t> image;
    bool closed;
    std::optional<UINT_PTR> choice;
    // Releases of Shift and Ctrl, handed on once the menu closes, so the
    // program does not think them still held.
    std::vector<SDL_Event> modifier_releases;
};

std::optional<Tracking> tracking;

const platform::Menu *bar_menu()
{
    const platform::Window *window = platform::window_from(tracking->hwnd);
    return window == nullptr ? nullptr : platform::menu_from(window->menu);
}

const platform::Menu *popup_menu() { return platform::menu_from(tracking->popup); }

void show_popup()
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        tracking->image.clear();
    } else {
        // Laid out afresh each time: a timer may change the menu while it is open.
        tracking->layout = layout_popup(*popup);
        const PopupLayout &layout = tracking->layout;
        tracking->image.assign(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), MENU_FACE);
        raster::Surface surface{tracking->image.data(), layout.width, layout.height, layout.width,
                                RECT{0, 0, layout.width, layout.height}};
        draw_popup(surface, *popup, layout, tracking->selected);
    }
    mark_for_present(tracking->hwnd);
}

void close_menu() { tracking->closed = true; }

void choose(const platform::MenuItem &item)
{
    if (is_command(item)) {
        tracking->choice = item.id;
        close_menu();
    }
}

void open_bar_item(int item, bool from_keyboard)
{
    const platform::Menu *bar = bar_menu();
    if (bar == nullptr || item < 0 || item >= static_cast<int>(bar->items.size())) {
        close_menu();
        return;
    }
    const platform::MenuItem &bar_item = bar->items[item];
    tracking->bar_item = item;
    tracking->popup = (bar_item.flags & MF_POPUP) ? reinterpret_cast<HMENU>(bar_item.id) : nullptr;
    tracking->selected = NO_ITEM;
    const platform::Menu *popup = popup_menu();
    if (popup != nullptr && from_keyboard) {
        tracking->selected = first_selectable(*popup, NO_ITEM, 1);
    }
    show_popup();
    if (popup == nullptr) {
        // An item on the bar itself is a command of its own.
        choose(bar_item);
        return;
    }
    // Below its bar item, moved left as far as it takes to stay in the window.
    const ScreenWindow *screen = screen_window_of(tracking->hwnd);
    int room = screen == nullptr ? 0 : screen->content_width - tracking->layout.width;
    tracking->origin = POINT{std::max(0, std::min<LONG>(menu_bar_item_box(*bar, item).left, room)), platform::MENU_BAR};
}

void move_selection(int step)
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        return;
    }
    int from = tracking->selected == NO_ITEM && step < 0 ? 0 : tracking->selected;
    tracking->selected = first_selectable(*popup, from, step);
    show_popup();
}

void move_along_bar(int step)
{
    const platform::Menu *bar = bar_menu();
    if (bar != nullptr && !bar->items.empty()) {
        int count = static_cast<int>(bar->items.size());
        open_bar_item(((tracking->bar_item + step) % count + count) % count, true);
    }
}

// A letter or digit chooses the item it is the mnemonic of when only one item
// has it; with several it selects the next of them.
void choose_by_mnemonic(int virtual_key)
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        return;
    }
    std::vector<int> matches;
    for (size_t i = 0; i < popup->items.size(); ++i) {
        if (!is_separator(popup->items[i]) && menu_mnemonic(popup->items[i].text) == virtual_key) {
            matches.push_back(static_cast<int>(i));
        }
    }
    if (matches.size() == 1 && !is_grayed(popup->items[matches[0]])) {
        choose(popup->items[matches[0]]);
    } else if (!matches.empty()) {
        auto next = std::upper_bound(matches.begin(), matches.end(), tracking->selected);
        tracking->selected = next == matches.end() ? matches.front() : *next;
        show_popup();
    }
}

void handle_key_down(const SDL_KeyboardEvent &key)
{
    int virtual_key = virtual_key_of(key.keysym);
    switch (virtual_key) {
    case VK_ESCAPE:
    case VK_F10:
        close_menu();
        break;
    case VK_MENU:
        if (!key.repeat) {
            close_menu();
        }
        break;
    case VK_UP: move_selection(-1); break;
    case VK_DOWN: move_selection(1); break;
    case VK_LEFT: move_along_bar(-1); break;
    case VK_RIGHT: move_along_bar(1); break;
    case VK_RETURN:
        if (const platform::Menu *popup = popup_menu();
            popup != nullptr && tracking->selected >= 0 && tracking->selected < static_cast<int>(popup->items.size())) {
            choose(popup->items[tracking->selected]);
        }
        break;
    default: choose_by_mnemonic(virtual_key); break;
    }
}

void handle_key_up(const SDL_Event &event)
{
    int virtual_key = virtual_key_of(event.key.keysym);
    if (virtual_key == VK_CONTROL || virtual_key == VK_SHIFT) {
        tracking->modifier_releases.push_back(event);
    }
}

// Where a mouse event happened, in the menu's window content; false when it
// happened in another window.
bool point_in_menu_window(Uint32 window_id, int x, int y, POINT *point)
{
    const ScreenWindow *screen = screen_window_with_id(window_id);
    *point = POINT{to_system_pixels(x), to_system_pixels(y)};
    return screen != nullptr && screen->hwnd == tracking->hwnd;
}

int popup_item_under(POINT point)
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        return NO_ITEM;
    }
    POINT inside{point.x - tracking->origin.x, point.y - tracking->origin.y};
    return popup_item_at(*popup, tracking->layout, inside);
}

bool in_popup(POINT point)
{
    const PopupLayout &layout = tracking->layout;
    POINT inside{point.x - tracking->origin.x, point.y - tracking->origin.y};
    return popup_menu() != nullptr && inside.x >= 0 && inside.x < layout.width && inside.y >= 0 &&
           inside.y < layout.height;
}

int bar_item_under(POINT point)
{
    const platform::Menu *bar = bar_menu();
    return bar != nullptr && point.y >= 0 && point.y < platform::MENU_BAR ? menu_bar_item_at(*bar, point.x) : NO_ITEM;
}

void handle_motion(const SDL_MouseMotionEvent &motion)
{
    POINT point;
    if (!point_in_menu_window(motion.windowID, motion.x, motion.y, &point)) {
        return;
    }
    if (in_popup(point)) {
        int item = popup_item_under(point);
        if (item != tracking->selected) {
            tracking->selected = item;
            show_popup();
        }
        return;
    }
    int bar_item = bar_item_under(point);
    if (bar_item != NO_ITEM && bar_item != tracking->bar_item) {
        open_bar_item(bar_item, false);
    }
}

// A press outside the menu closes it and goes no further, as does a second
// press on the open bar item; items are chosen when the button comes up.
void handle_button_down(const SDL_MouseButtonEvent &button)
{
    POINT point;
    if (!point_in_menu_window(button.windowID, button.x, button.y, &point)) {
        close_menu();
        return;
    }
    if (in_popup(point)) {
        return;
    }
    int bar_item = bar_item_under(point);
    if (bar_item == NO_ITEM || bar_item == tracking->bar_item) {
        close_menu();
    } else {
        open_bar_item(bar_item, false);
    }
}

void handle_button_up(const SDL_MouseButtonEvent &button)
{
    POINT point;
    if (point_in_menu_window(button.windowID, button.x, button.y, &point) && in_popup(point)) {
        int item = popup_item_under(point);
        if (item != NO_ITEM) {
            choose(popup_menu()->items[item]);
        }
    }
}

void handle_event(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_KEYDOWN: handle_key_down(event.key); break;
    case SDL_KEYUP: handle_key_up(event); break;
    case SDL_MOUSEMOTION: handle_motion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN: handle_button_down(event.button); break;
    case SDL_MOUSEBUTTONUP: handle_button_up(event.button); break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            close_menu();
        }
        translate_event(event);  // exposure, resizing and closing go on as ever
        break;
    default: break;
    }
}

void run_loop()
{
    while (!tracking->closed) {
        if (!IsWindow(tracking->hwnd) || !deliver_timers_and_paints()) {
            return;
        }
        present_changed_windows();
        SDL_Event event;
        if (next_event_before(platform::next_timer_due(), &event)) {
            handle_event(event);
        }
    }
}

}  // namespace

void track_menu(HWND hwnd, int bar_item, bool from_keyboard)
{
    if (tracking || screen_window_of(hwnd) == nullptr) {
        return;
    }
    tracking = Tracking{hwnd, NO_ITEM, nullptr, PopupLayout{0, 0, {}}, NO_ITEM, POINT{0, 0}, {}, false, {}, {}};
    open_bar_item(bar_item, from_keyboard);
    run_loop();
    Tracking finished = std::move(*tracking);
    tracking.reset();
    mark_for_present(hwnd);
    present_changed_windows();
    if (finished.choice && IsWindow(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, *finished.choice, 0);
    }
    for (const SDL_Event &release : finished.modifier_releases) {
        translate_event(release);
    }
}

bool menu_is_tracked() { return tracking.has_value(); }

bool menu_overlay_of(HWND hwnd, MenuOverlay *overlay)
{
    if (!tracking || tracking->hwnd != hwnd) {
        return false;
    }
    bool popup_shown = !tracking->image.empty();
    *overlay = MenuOverlay{tracking->bar_item, popup_shown ? tracking->image.data() : nullptr,
                           popup_shown ? tracking->layout.width : 0, popup_shown ? tracking->layout.height : 0,
                           tracking->origin};
    return true;
}

}  // namespace qz370::sdl
