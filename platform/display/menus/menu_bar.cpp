// The menu bar across the top of a window: its items side by side, each the
// width of its text and a margin on both sides.
#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"

namespace qz370::menus {

namespace {

constexpr int BAR_ITEM_MARGIN = 6;

int bar_item_width(const platform::MenuItem &item)
{
    return 2 * BAR_ITEM_MARGIN + menu_text_width(parse_menu_label(item.text).text);
}

}  // namespace

RECT menu_bar_item_box(const platform::Menu &bar, int index)
{
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += bar_item_width(bar.items[i]);
    }
    return RECT{left, 0, left + bar_item_width(bar.items[index]), platform::MENU_BAR};
}

int menu_bar_item_at(const platform::Menu &bar, int x)
{
    int left = 0;
    for (size_t i = 0; i < bar.items.size(); ++i) {
        int right = left + bar_item_width(bar.items[i]);
        if (x >= left && x < right) {
            return static_cast<int>(i);
        }
        left = right;
    }
    return NO_ITEM;
}

void draw_menu_bar(raster::Surface &strip, const platform::Menu &bar, int highlighted)
{
    raster::fill_rect(strip, RECT{0, 0, strip.width, strip.height}, MENU_FACE);
    int text_top = (platform::MENU_BAR - menu_text_height()) / 2;
    for (size_t i = 0; i < bar.items.size(); ++i) {
        const platform::MenuItem &item = bar.items[i];
        RECT box = menu_bar_item_box(bar, static_cast<int>(i));
        MenuLabel label = parse_menu_label(item.text);
        int x = box.left + BAR_ITEM_MARGIN;
        if (static_cast<int>(i) == highlighted) {
            raster::fill_rect(strip, box, MENU_HIGHLIGHT);
            draw_menu_text(strip, x, text_top, label.text, label.mnemonic_index, MENU_HIGHLIGHT_TEXT);
        } else if (is_grayed(item)) {
            draw_grayed_menu_text(strip, x, text_top, label.text, label.mnemonic_index);
        } else {
            draw_menu_text(strip, x, text_top, label.text, label.mnemonic_index, MENU_TEXT);
        }
    }
}

}  // namespace qz370::menus
