// A pop-up menu in the classic look: a raised frame, a column for check marks,
// the item texts, their shortcuts aligned right, etched separators.
#include <algorithm>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"

namespace qz370::menus {

namespace {

constexpr int FRAME = 3;             // the raised edge and a pixel of face inside it
constexpr int CHECK_COLUMN = 17;     // left of the texts, where check marks go
constexpr int RIGHT_MARGIN = 17;     // right of the shortcuts
constexpr int SHORTCUT_GAP = 16;     // between the longest text and the shortcuts
constexpr int ITEM_PADDING = 4;      // item height over the text height
constexpr int SEPARATOR_HEIGHT = 8;

constexpr int CHECK_SIZE = 7;
constexpr const char *CHECK_MARK[CHECK_SIZE] = {
    "......X",
    ".....XX",
    "X...XXX",
    "XX.XXX.",
    "XXXXX..",
    ".XXX...",
    "..X....",
};

int item_height(const platform::MenuItem &item)
{
    return is_separator(item) ? SEPARATOR_HEIGHT : menu_text_height() + ITEM_PADDING;
}

void draw_raised_frame(raster::Surface &surface, int width, int height)
{
    raster::fill_rect(surface, RECT{0, 0, width, 1}, MENU_FACE);
    raster::fill_rect(surface, RECT{0, 0, 1, height}, MENU_FACE);
    raster::fill_rect(surface, RECT{1, 1, width - 1, 2}, MENU_LIGHT_EDGE);
    raster::fill_rect(surface, RECT{1, 1, 2, height - 1}, MENU_LIGHT_EDGE);
    raster::fill_rect(surface, RECT{1, height - 2, width - 1, height - 1}, MENU_SHADOW);
    raster::fill_rect(surface, RECT{width - 2, 1, width - 1, height - 1}, MENU_SHADOW);
    raster::fill_rect(surface, RECT{0, height - 1, width, height}, MENU_DARK_SHADOW);
    raster::fill_rect(surface, RECT{width - 1, 0, width, height}, MENU_DARK_SHADOW);
}

void draw_separator(raster::Surface &surface, const RECT &box)
{
    int middle = (box.top + box.bottom) / 2 - 1;
    raster::fill_rect(surface, RECT{box.left, middle, box.right, middle + 1}, MENU_SHADOW);
    raster::fill_rect(surface, RECT{box.left, middle + 1, box.right, middle + 2}, MENU_LIGHT_EDGE);
}

void draw_check_mark(raster::Surface &surface, const RECT &box, uint32_t color)
{
    int left = box.left + (CHECK_COLUMN - CHECK_SIZE) / 2;
    int top = (box.top + box.bottom - CHECK_SIZE) / 2;
    for (int row = 0; row < CHECK_SIZE; ++row) {
        for (int column = 0; column < CHECK_SIZE; ++column) {
            if (CHECK_MARK[row][column] == 'X') {
                raster::set_pixel(surface, left + column, top + row, color);
            }
        }
    }
}

void draw_item(raster::Surface &surface, const platform::MenuItem &item, const RECT &box, bool selected)
{
    if (is_separator(item)) {
        draw_separator(surface, box);
        return;
    }
    MenuLabel label = parse_menu_label(item.text);
    int text_top = box.top + ITEM_PADDING / 2;
    int text_left = box.left + CHECK_COLUMN;
    int shortcut_left = box.right - RIGHT_MARGIN - menu_text_width(label.shortcut);
    uint32_t color = MENU_TEXT;
    if (selected) {
        raster::fill_rect(surface, box, MENU_HIGHLIGHT);
        color = is_grayed(item) ? MENU_GRAYED_TEXT : MENU_HIGHLIGHT_TEXT;
    }
    if (is_grayed(item) && !selected) {
        draw_grayed_menu_text(surface, text_left, text_top, label.text, label.mnemonic_index);
        draw_grayed_menu_text(surface, shortcut_left, text_top, label.shortcut, -1);
    } else {
        draw_menu_text(surface, text_left, text_top, label.text, label.mnemonic_index, color);
        draw_menu_text(surface, shortcut_left, text_top, label.shortcut, -1, color);
    }
    if (item.flags & MF_CHECKED) {
        draw_check_mark(surface, box, color);
    }
}

}  // namespace

bool is_separator(const platform::MenuItem &item) { return (item.flags & MF_SEPARATOR) != 0; }

bool is_grayed(const platform::MenuItem &item) { return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0; }

bool is_command(const platform::MenuItem &item)
{
    return !is_separator(item) && !is_grayed(item) && (item.flags & MF_POPUP) == 0;
}

int first_selectable(const platform::Menu &popup, int from, int step)
{
    int count = static_cast<int>(popup.items.size());
    for (int tried = 1; tried <= count; ++tried) {
        int index = ((from + step * tried) % count + count) % count;
        if (!is_separator(popup.items[index])) {
            return index;
        }
    }
    return NO_ITEM;
}

PopupLayout layout_popup(const platform::Menu &popup)
{
    int widest_text = 0;
    int widest_shortcut = 0;
    for (const platform::MenuItem &item : popup.items) {
        MenuLabel label = parse_menu_label(item.text);
        widest_text = std::max(widest_text, menu_text_width(label.text));
        widest_shortcut = std::max(widest_shortcut, menu_text_width(label.shortcut));
    }
    int shortcut_column = widest_shortcut > 0 ? SHORTCUT_GAP + widest_shortcut : 0;
    PopupLayout layout{2 * FRAME + CHECK_COLUMN + widest_text + shortcut_column + RIGHT_MARGIN, 0, {}};
    int top = FRAME;
    for (const platform::MenuItem &item : popup.items) {
        int bottom = top + item_height(item);
        layout.items.push_back(RECT{FRAME, top, layout.width - FRAME, bottom});
        top = bottom;
    }
    layout.height = top + FRAME;
    return layout;
}

int popup_item_at(const platform::Menu &popup, const PopupLayout &layout, POINT point)
{
    for (size_t i = 0; i < layout.items.size() && i < popup.items.size(); ++i) {
        const RECT &box = layout.items[i];
        bool inside = point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom;
        if (inside) {
            return is_separator(popup.items[i]) ? NO_ITEM : static_cast<int>(i);
        }
    }
    return NO_ITEM;
}

void draw_popup(raster::Surface &surface, const platform::Menu &popup, const PopupLayout &layout, int selected)
{
    raster::fill_rect(surface, RECT{0, 0, layout.width, layout.height}, MENU_FACE);
    draw_raised_frame(surface, layout.width, layout.height);
    for (size_t i = 0; i < layout.items.size() && i < popup.items.size(); ++i) {
        draw_item(surface, popup.items[i], layout.items[i], static_cast<int>(i) == selected);
    }
}

}  // namespace qz370::menus
