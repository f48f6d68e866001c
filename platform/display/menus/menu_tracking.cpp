#include "display/menus/menu_tracking.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_messages.h"
#include "user/window_system.h"

namespace qz370::menus {

namespace {

struct Tracking {
    HWND hwnd;
    const MenuScreen *screen;
    int bar_item;
    HMENU popup;  // null while the bar item opens no pop-up
    PopupLayout layout;
    int selected;
    POINT origin;
    std::vector<uint32_t> image;
    bool closed;
    std::optional<UINT_PTR> choice;
};

std::optional<Tracking> tracking;

const platform::Menu *bar_of(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    return window == nullptr ? nullptr : platform::menu_from(window->menu);
}

const platform::Menu *popup_menu() { return platform::menu_from(tracking->popup); }

// Laid out afresh each time: a timer may change the menu while it is open.
void draw_popup_image()
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        tracking->image.clear();
        return;
    }
    tracking->layout = layout_popup(*popup);
    const PopupLayout &layout = tracking->layout;
    tracking->image.assign(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), MENU_FACE);
    raster::Surface surface{tracking->image.data(), layout.width, layout.height, layout.width,
                            RECT{0, 0, layout.width, layout.height}};
    draw_popup(surface, *popup, layout, tracking->selected);
}

void show_popup()
{
    draw_popup_image();
    tracking->screen->show_menu(tracking->hwnd);
}

// Below its bar item, moved left as far as it takes to stay in the window.
POINT popup_origin(const platform::Menu &bar, int item)
{
    const platform::Window *window = platform::window_from(tracking->hwnd);
    int room = window == nullptr ? 0 : window->client.right - window->client.left - tracking->layout.width;
    return POINT{std::max(0, std::min<LONG>(menu_bar_item_box(bar, item).left, room)), platform::MENU_BAR};
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
    const platform::Menu *bar = bar_of(tracking->hwnd);
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
    draw_popup_image();
    tracking->origin = popup_origin(*bar, item);
    tracking->screen->show_menu(tracking->hwnd);
    if (popup == nullptr) {
        // An item on the bar itself is a command of its own.
        choose(bar_item);
    }
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
    const platform::Menu *bar = bar_of(tracking->hwnd);
    if (bar != nullptr && !bar->items.empty()) {
        int count = static_cast<int>(bar->items.size());
        open_bar_item(((tracking->bar_item + step) % count + count) % count, true);
    }
}

void choose_selected()
{
    const platform::Menu *popup = popup_menu();
    if (popup != nullptr && tracking->selected >= 0 && tracking->selected < static_cast<int>(popup->items.size())) {
        choose(popup->items[tracking->selected]);
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

void press_key(int virtual_key, bool repeat)
{
    switch (virtual_key) {
    case VK_ESCAPE:
    case VK_F10: close_menu(); break;
    case VK_MENU:
        if (!repeat) {
            close_menu();
        }
        break;
    case VK_UP: move_selection(-1); break;
    case VK_DOWN: move_selection(1); break;
    case VK_LEFT: move_along_bar(-1); break;
    case VK_RIGHT: move_along_bar(1); break;
    case VK_RETURN: choose_selected(); break;
    default: choose_by_mnemonic(virtual_key); break;
    }
}

POINT inside_popup(POINT point) { return POINT{point.x - tracking->origin.x, point.y - tracking->origin.y}; }

bool in_popup(POINT point)
{
    const PopupLayout &layout = tracking->layout;
    POINT inside = inside_popup(point);
    return popup_menu() != nullptr && inside.x >= 0 && inside.x < layout.width && inside.y >= 0 &&
           inside.y < layout.height;
}

int popup_item_under(POINT point)
{
    const platform::Menu *popup = popup_menu();
    return popup == nullptr ? NO_ITEM : popup_item_at(*popup, tracking->layout, inside_popup(point));
}

int bar_item_under(POINT point)
{
    const platform::Menu *bar = bar_of(tracking->hwnd);
    return bar != nullptr && point.y >= 0 && point.y < platform::MENU_BAR ? menu_bar_item_at(*bar, point.x) : NO_ITEM;
}

// Over the pop-up the item under the pointer is selected; over another bar
// item, that item's pop-up opens.
void move_pointer(POINT point)
{
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
void press_button(POINT point)
{
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

void release_button(POINT point)
{
    int item = in_popup(point) ? popup_item_under(point) : NO_ITEM;
    if (item != NO_ITEM) {
        choose(popup_menu()->items[item]);
    }
}

void run_loop()
{
    while (!tracking->closed) {
        if (!IsWindow(tracking->hwnd) || !deliver_timers_and_paints()) {
            return;
        }
        tracking->screen->show_changed_windows();
        tracking->screen->take_input(platform::next_timer_due());
    }
}

void track(HWND hwnd, int bar_item, bool from_keyboard, const MenuScreen &screen)
{
    if (tracking || bar_of(hwnd) == nullptr) {
        return;
    }
    tracking = Tracking{hwnd, &screen, NO_ITEM, nullptr, PopupLayout{0, 0, {}}, NO_ITEM, POINT{0, 0}, {}, false, {}};
    open_bar_item(bar_item, from_keyboard);
    run_loop();
    std::optional<UINT_PTR> choice = tracking->choice;
    tracking.reset();
    screen.show_menu(hwnd);
    screen.show_changed_windows();
    if (choice && IsWindow(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, *choice, 0);
    }
}

}  // namespace

void track_menu_bar(HWND hwnd, bool from_keyboard, const MenuScreen &screen)
{
    constexpr int FIRST_BAR_ITEM = 0;
    track(hwnd, FIRST_BAR_ITEM, from_keyboard, screen);
}

void track_menu_at(HWND hwnd, int x, const MenuScreen &screen)
{
    const platform::Menu *bar = bar_of(hwnd);
    int item = bar == nullptr ? NO_ITEM : menu_bar_item_at(*bar, x);
    if (item != NO_ITEM && IsWindowEnabled(hwnd)) {
        track(hwnd, item, false, screen);
    }
}

void handle_menu_event(const MenuEvent &event)
{
    if (!menu_is_open()) {
        return;
    }
    // Over another window the pointer is outside the menu.
    constexpr POINT OUTSIDE{-1, -1};
    POINT point = event.window == tracking->hwnd ? event.point : OUTSIDE;
    switch (event.kind) {
    case KEY_PRESSED: press_key(event.virtual_key, event.repeat); break;
    case POINTER_MOVED: move_pointer(point); break;
    case BUTTON_PRESSED: press_button(point); break;
    case BUTTON_RELEASED: release_button(point); break;
    case WINDOW_CLOSING: close_menu(); break;
    }
}

bool menu_is_open() { return tracking && !tracking->closed; }

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

}  // namespace qz370::menus
