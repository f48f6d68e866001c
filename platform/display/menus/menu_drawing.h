// Where the items of a menu bar and of a pop-up lie, and how they are drawn.
// Positions are pixels: the bar's from its left end, the pop-up's from its own
// top-left corner.
#pragma once

#include <vector>

#include "gdi/raster/raster.h"
#include "user/window_system.h"

namespace qz370::menus {

constexpr int NO_ITEM = -1;

// ---- Menu bar (MENU_BAR pixels high) ----------------------------------------

RECT menu_bar_item_box(const platform::Menu &bar, int index);
int menu_bar_item_at(const platform::Menu &bar, int x);  // NO_ITEM between or after the items
// Fills the whole surface with the bar; highlighted is the item whose pop-up
// is open, or NO_ITEM.
void draw_menu_bar(raster::Surface &strip, const platform::Menu &bar, int highlighted);

// ---- Pop-up -----------------------------------------------------------------

struct PopupLayout {
    int width;
    int height;
    std::vector<RECT> items;  // one box per item, separators included
};

PopupLayout layout_popup(const platform::Menu &popup);
// The item under a point, separators left out; NO_ITEM when there is none.
int popup_item_at(const platform::Menu &popup, const PopupLayout &layout, POINT point);
// The surface is layout.width by layout.height; selected may be NO_ITEM.
void draw_popup(raster::Surface &surface, const platform::Menu &popup, const PopupLayout &layout, int selected);

bool is_separator(const platform::MenuItem &item);
bool is_grayed(const platform::MenuItem &item);
// An item that chooses a command: no separator, not grayed, opening no pop-up.
bool is_command(const platform::MenuItem &item);
// The first item after from, going by step (1 down, -1 up) and wrapping
// around, that is no separator; NO_ITEM when every item is one.
int first_selectable(const platform::Menu &popup, int from, int step);

}  // namespace qz370::menus
