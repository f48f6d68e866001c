// The menu bar in the page and its modal loop, drawn by the classic menus
// the desktop draws.
#include "display/web/web_menu.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_messages.h"
#include "display/web/web_display.h"
#include "display/web/web_input.h"
#include "display/web/web_page.h"
#include "user/window_system.h"

namespace qz370::web {

using namespace menus;

namespace {

struct Tracking {
    HWND hwnd;
    int bar_item;
    HMENU popup;
    PopupLayout layout;
    int selected;
    POINT origin;  // of the pop-up, in client pixels
    bool closed;
    std::optional<UINT_PTR> choice;
};

std::optional<Tracking> tracking;

uint32_t id_of(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

const platform::Menu *bar_of(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    return window == nullptr ? nullptr : platform::menu_from(window->menu);
}

const platform::Menu *popup_menu() { return platform::menu_from(tracking->popup); }

void show_popup()
{
    const platform::Menu *popup = popup_menu();
    if (popup == nullptr) {
        qz370_page_show_popup(id_of(tracking->hwnd), nullptr, 0, 0, 0, 0);
        return;
    }
    // Laid out afresh each time: a timer may change the menu while it is open.
    tracking->layout = layout_popup(*popup);
    const PopupLayout &layout = tracking->layout;
    std::vector<uint32_t> image(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), MENU_FACE);
    raster::Surface surface{image.data(), layout.width, layout.height, layout.width,
                            RECT{0, 0, layout.width, layout.height}};
    draw_popup(surface, *popup, layout, tracking->selected);
    qz370_page_show_popup(id_of(tracking->hwnd), image.data(), layout.width, layout.height, tracking->origin.x,
                          tracking->origin.y);
}

void choose(const platform::MenuItem &item)
{
    if (is_command(item)) {
        tracking->choice = item.id;
        tracking->closed = true;
    }
}

void open_bar_item(int item, bool from_keyboard)
{
    const platform::Menu *bar = bar_of(tracking->hwnd);
    if (bar == nullptr || item < 0 || item >= static_cast<int>(bar->items.size())) {
        tracking->closed = true;
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
    // Below its bar item, over the client area's top left.
    tracking->origin = POINT{menu_bar_item_box(*bar, item).left, 0};
    show_menu_bar(tracking->hwnd);
    show_popup();
    if (popup == nullptr) {
        choose(bar_item);  // an item on the bar itself is a command of its own
    }
}

void move_selection(int step)
{
    if (const platform::Menu *popup = popup_menu()) {
        int from = tracking->selected == NO_ITEM && step < 0 ? 0 : tracking->selected;
        tracking->selected = first_selectable(*popup, from, step);
        show_popup();
    }
}

void handle_key(int32_t virtual_key)
{
    const platform::Menu *popup = popup_menu();
    switch (virtual_key) {
    case VK_ESCAPE:
    case VK_F10:
    case VK_MENU: tracking->closed = true; break;
    case VK_UP: move_selection(-1); break;
    case VK_DOWN: move_selection(1); break;
    case VK_RETURN:
        if (popup != nullptr && tracking->selected >= 0 && tracking->selected < static_cast<int>(popup->items.size())) {
            choose(popup->items[tracking->selected]);
        }
        break;
    default:
        if (popup != nullptr) {
            for (const platform::MenuItem &item : popup->items) {
                if (!is_separator(item) && menu_mnemonic(item.text) == virtual_key) {
                    choose(item);
                    break;
                }
            }
        }
        break;
    }
}

// A press on the pop-up chooses its item; anywhere else but another bar item
// closes the menu.
void handle_input(const int32_t *fields)
{
    HWND hwnd = handle_of(fields[FIELD_WINDOW]);
    switch (fields[FIELD_KIND]) {
    case KEY_DOWN: handle_key(fields[FIELD_X]); break;
    case MENU_BAR_DOWN: {
        const platform::Menu *bar = bar_of(tracking->hwnd);
        int item = bar == nullptr || hwnd != tracking->hwnd ? NO_ITEM : menu_bar_item_at(*bar, fields[FIELD_X]);
        if (item == NO_ITEM || item == tracking->bar_item) {
            tracking->closed = true;
        } else {
            open_bar_item(item, false);
        }
        break;
    }
    case MOUSE_DOWN: {
        const platform::Menu *popup = popup_menu();
        POINT inside{fields[FIELD_X] - tracking->origin.x, fields[FIELD_Y] - tracking->origin.y};
        int item = popup == nullptr || hwnd != tracking->hwnd ? NO_ITEM : popup_item_at(*popup, tracking->layout, inside);
        if (item == NO_ITEM) {
            tracking->closed = true;
        } else {
            choose(popup->items[item]);
        }
        break;
    }
    case CLOSE: tracking->closed = true; break;
    default: break;
    }
}

void run_loop()
{
    int32_t fields[INPUT_FIELDS];
    while (!tracking->closed) {
        if (!IsWindow(tracking->hwnd) || !deliver_timers_and_paints()) {
            return;
        }
        show_changed_windows();
        if (!input_pending()) {
            int64_t due = platform::next_timer_due();
            double now = qz370_page_now_ms();
            qz370_page_wait(due < 0 ? -1.0 : std::max(0.0, static_cast<double>(due) - now));
        }
        while (!tracking->closed && next_input(fields)) {
            handle_input(fields);
        }
    }
}

void track(HWND hwnd, int bar_item, bool from_keyboard)
{
    if (tracking || bar_of(hwnd) == nullptr) {
        return;
    }
    tracking = Tracking{hwnd, NO_ITEM, nullptr, PopupLayout{0, 0, {}}, NO_ITEM, POINT{0, 0}, false, {}};
    open_bar_item(bar_item, from_keyboard);
    run_loop();
    Tracking finished = std::move(*tracking);
    tracking.reset();
    if (IsWindow(hwnd)) {
        qz370_page_show_popup(id_of(hwnd), nullptr, 0, 0, 0, 0);
        show_menu_bar(hwnd);
        if (finished.choice) {
            PostMessageA(hwnd, WM_COMMAND, *finished.choice, 0);
        }
    }
}

}  // namespace

void track_menu_bar(HWND hwnd, bool from_keyboard)
{
    constexpr int FIRST_BAR_ITEM = 0;
    track(hwnd, FIRST_BAR_ITEM, from_keyboard);
}

void track_menu_at(HWND hwnd, int x)
{
    const platform::Menu *bar = bar_of(hwnd);
    int item = bar == nullptr ? NO_ITEM : menu_bar_item_at(*bar, x);
    if (item != NO_ITEM) {
        track(hwnd, item, false);
    }
}

void show_menu_bar(HWND hwnd)
{
    const platform::Menu *bar = bar_of(hwnd);
    const platform::Window *window = platform::window_from(hwnd);
    if (bar == nullptr || window == nullptr) {
        return;
    }
    int width = std::max(1, static_cast<int>(window->client.right - window->client.left));
    std::vector<uint32_t> strip(static_cast<size_t>(width) * platform::MENU_BAR, MENU_FACE);
    raster::Surface surface{strip.data(), width, platform::MENU_BAR, width, RECT{0, 0, width, platform::MENU_BAR}};
    draw_menu_bar(surface, *bar, tracking && tracking->hwnd == hwnd ? tracking->bar_item : NO_ITEM);
    qz370_page_show_menu_bar(id_of(hwnd), strip.data(), width, platform::MENU_BAR);
}

}  // namespace qz370::web
