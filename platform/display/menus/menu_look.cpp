#include "display/menus/menu_look.h"

#include <cctype>

namespace qz370::menus {

namespace {

// The classic menu font is a small sans serif: an 11-pixel em fits a 16-pixel
// menu bar with room to spare.
constexpr int MENU_FONT_EM = -11;
constexpr char MNEMONIC_MARK = '&';
constexpr char SHORTCUT_SEPARATOR = '\t';

TEXTMETRICA menu_font_metrics()
{
    TEXTMETRICA metrics{};
    fonts::metrics(menu_font(), &metrics);
    return metrics;
}

}  // namespace

MenuLabel parse_menu_label(const std::string &item_text)
{
    MenuLabel label{"", -1, ""};
    size_t tab = item_text.find(SHORTCUT_SEPARATOR);
    std::string shown = item_text.substr(0, tab);
    if (tab != std::string::npos) {
        label.shortcut = item_text.substr(tab + 1);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == MNEMONIC_MARK && i + 1 < shown.size()) {
            ++i;  // "&&" stands for one '&', which is not a mnemonic
            if (shown[i] != MNEMONIC_MARK && label.mnemonic_index < 0) {
                label.mnemonic_index = static_cast<int>(label.text.size());
            }
        }
        label.text += shown[i];
    }
    return label;
}

char menu_mnemonic(const std::string &item_text)
{
    MenuLabel label = parse_menu_label(item_text);
    if (label.mnemonic_index < 0) {
        return 0;
    }
    unsigned char letter = static_cast<unsigned char>(label.text[label.mnemonic_index]);
    return std::isalnum(letter) ? static_cast<char>(std::toupper(letter)) : 0;
}

const fonts::Face *menu_font() { return fonts::face_for(fonts::Family::Sans, MENU_FONT_EM, FW_NORMAL); }

int menu_text_height() { return menu_font_metrics().tmHeight; }

int menu_text_width(const std::string &text)
{
    return fonts::measure(menu_font(), text.data(), static_cast<int>(text.size())).cx;
}

void draw_menu_text(raster::Surface &surface, int x, int y, const std::string &text, int mnemonic_index,
                    uint32_t color)
{
    fonts::draw(surface, menu_font(), x, y, text.data(), static_cast<int>(text.size()), color, nullptr);
    if (mnemonic_index < 0 || mnemonic_index >= static_cast<int>(text.size())) {
        return;
    }
    int left = x + menu_text_width(text.substr(0, mnemonic_index));
    int right = left + menu_text_width(text.substr(mnemonic_index, 1));
    int underline = y + menu_font_metrics().tmAscent + 1;
    raster::fill_rect(surface, RECT{left, underline, right, underline + 1}, color);
}

void draw_grayed_menu_text(raster::Surface &surface, int x, int y, const std::string &text, int mnemonic_index)
{
    draw_menu_text(surface, x + 1, y + 1, text, mnemonic_index, MENU_LIGHT_EDGE);
    draw_menu_text(surface, x, y, text, mnemonic_index, MENU_GRAYED_TEXT);
}

}  // namespace qz370::menus
