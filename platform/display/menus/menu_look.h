// The classic desktop look of menus, shared by the menu bar and the pop-up:
// colours, the menu font, and item labels with their mnemonic and shortcut.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/fonts/font.h"
#include "gdi/raster/raster.h"

namespace qz370::menus {

constexpr uint32_t MENU_FACE = 0xC0C0C0;
constexpr uint32_t MENU_TEXT = 0x000000;
constexpr uint32_t MENU_HIGHLIGHT = 0x000080;
constexpr uint32_t MENU_HIGHLIGHT_TEXT = 0xFFFFFF;
constexpr uint32_t MENU_GRAYED_TEXT = 0x808080;
constexpr uint32_t MENU_LIGHT_EDGE = 0xFFFFFF;
constexpr uint32_t MENU_SHADOW = 0x808080;
constexpr uint32_t MENU_DARK_SHADOW = 0x000000;

// An item's text split as the menu shows it: "&Logging\tCtrl+L" is the text
// "Logging" with 'L' (index 0) underlined and the shortcut "Ctrl+L".
struct MenuLabel {
    std::string text;
    int mnemonic_index;  // into text, -1 when there is none
    std::string shortcut;
};

MenuLabel parse_menu_label(const std::string &item_text);
// The mnemonic as an upper-case letter or digit, 0 when there is none.
char menu_mnemonic(const std::string &item_text);

const fonts::Face *menu_font();
int menu_text_height();
int menu_text_width(const std::string &text);

// Draws text with its top-left corner at (x, y), underlining the mnemonic.
void draw_menu_text(raster::Surface &surface, int x, int y, const std::string &text, int mnemonic_index,
                    uint32_t color);

// A text a grayed item shows: etched, a light copy under the grey one.
void draw_grayed_menu_text(raster::Surface &surface, int x, int y, const std::string &text, int mnemonic_index);

}  // namespace qz370::menus
