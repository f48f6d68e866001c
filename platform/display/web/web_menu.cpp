#include "display/web/web_menu.h"

#include <algorithm>
#include <vector>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_tracking.h"
#include "display/web/web_display.h"
#include "display/web/web_input.h"
#include "display/web/web_page.h"
#include "user/window_system.h"

namespace qz370::web {

using namespace menus;  // the classic look and the loop, shared with the desktop

namespace {

uint32_t id_of(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

// The page's pop-up is placed over the client area, below the menu bar.
void show_popup(HWND hwnd)
{
    MenuOverlay overlay{};
    if (menu_overlay_of(hwnd, &overlay) && overlay.popup_pixels != nullptr) {
        qz370_page_show_popup(id_of(hwnd), overlay.popup_pixels, overlay.popup_width, overlay.popup_height,
                              overlay.popup_origin.x, overlay.popup_origin.y - menu_bar_height(hwnd));
    } else {
        qz370_page_show_popup(id_of(hwnd), nullptr, 0, 0, 0, 0);
    }
}

void show_menu(HWND hwnd)
{
    show_menu_bar(hwnd);
    show_popup(hwnd);
}

// The page gives client coordinates, the menu bar's above the client area.
MenuEvent pointer_event(MenuEventKind kind, const int32_t *fields)
{
    HWND hwnd = handle_of(fields[FIELD_WINDOW]);
    return MenuEvent{
        .kind = kind, .window = hwnd, .point = POINT{fields[FIELD_X], fields[FIELD_Y] + menu_bar_height(hwnd)}};
}

void hand_on(const int32_t *fields)
{
    switch (fields[FIELD_KIND]) {
    case KEY_DOWN: handle_menu_event(MenuEvent{.kind = KEY_PRESSED, .virtual_key = fields[FIELD_X]}); break;
    case MOUSE_MOVE: handle_menu_event(pointer_event(POINTER_MOVED, fields)); break;
    case MENU_BAR_DOWN:
    case MOUSE_DOWN: handle_menu_event(pointer_event(BUTTON_PRESSED, fields)); break;
    case MOUSE_UP: handle_menu_event(pointer_event(BUTTON_RELEASED, fields)); break;
    case CLOSE: handle_menu_event(MenuEvent{.kind = WINDOW_CLOSING}); break;
    default: break;
    }
}

// What is left once the menu closes goes to the program.
void take_input(int64_t deadline_ms)
{
    wait_for_input(deadline_ms);
    int32_t fields[INPUT_FIELDS];
    while (menu_is_open() && next_input(fields)) {
        hand_on(fields);
    }
}

const MenuScreen PAGE_MENUS = {show_menu, show_changed_windows, take_input};

}  // namespace

void track_menu_bar(HWND hwnd, bool from_keyboard) { menus::track_menu_bar(hwnd, from_keyboard, PAGE_MENUS); }

void track_menu_at(HWND hwnd, int x) { menus::track_menu_at(hwnd, x, PAGE_MENUS); }

void show_menu_bar(HWND hwnd)
{
    const platform::Window *window = platform::window_from(hwnd);
    const platform::Menu *bar = window == nullptr ? nullptr : platform::menu_from(window->menu);
    if (bar == nullptr) {
        return;
    }
    MenuOverlay overlay{NO_ITEM, nullptr, 0, 0, POINT{0, 0}};
    menu_overlay_of(hwnd, &overlay);
    int width = std::max(1, static_cast<int>(window->client.right - window->client.left));
    std::vector<uint32_t> strip(static_cast<size_t>(width) * platform::MENU_BAR, MENU_FACE);
    raster::Surface surface{strip.data(), width, platform::MENU_BAR, width, RECT{0, 0, width, platform::MENU_BAR}};
    draw_menu_bar(surface, *bar, overlay.bar_item);
    qz370_page_show_menu_bar(id_of(hwnd), strip.data(), width, platform::MENU_BAR);
}

}  // namespace qz370::web
