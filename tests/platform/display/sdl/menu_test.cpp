#include <algorithm>

#include "desktop_fixture.h"
#include "display/display_driver.h"
#include "display/menus/menu_drawing.h"
#include "display/menus/menu_look.h"
#include "display/menus/menu_tracking.h"

using namespace desktop_test;
using window_test::commands_in;
using namespace qz370::sdl;
using namespace qz370::menus;
using qz370::platform::MENU_BAR;

namespace {

constexpr int LOGGING_POSITION = 3;
constexpr int VERSION_POSITION = 5;

const qz370::platform::Menu &popup_of(HWND hwnd)
{
    return *qz370::platform::menu_from(GetSubMenu(GetMenu(hwnd), 0));
}

// Where the centre of a pop-up item lies in the window's content.
POINT item_centre(HWND hwnd, int position)
{
    RECT box = layout_popup(popup_of(hwnd)).items[position];
    return POINT{(box.left + box.right) / 2, MENU_BAR + (box.top + box.bottom) / 2};
}

void open_from_keyboard(HWND hwnd) { qz370::platform::display_driver().track_menu(hwnd, true); }

struct DrawnPopup {
    PopupLayout layout;
    std::vector<uint32_t> pixels;

    int count(int position, uint32_t color, int left, int right) const
    {
        const RECT &box = layout.items[position];
        int found = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left + left; x < box.left + right; ++x) {
                found += pixels[static_cast<size_t>(y) * layout.width + x] == color;
            }
        }
        return found;
    }
};

DrawnPopup draw(const qz370::platform::Menu &popup, int selected)
{
    DrawnPopup drawn{layout_popup(popup), {}};
    drawn.pixels.assign(static_cast<size_t>(drawn.layout.width) * drawn.layout.height, 0);
    qz370::raster::Surface surface{drawn.pixels.data(), drawn.layout.width, drawn.layout.height, drawn.layout.width,
                                   RECT{0, 0, drawn.layout.width, drawn.layout.height}};
    draw_popup(surface, popup, drawn.layout, selected);
    return drawn;
}

}  // namespace

TEST(MenuLabel, SplitsTextMnemonicAndShortcut)
{
    MenuLabel logging = parse_menu_label("&Logging\tCtrl+L");
    EXPECT_EQ(logging.text, "Logging");
    EXPECT_EQ(logging.mnemonic_index, 0);
    EXPECT_EQ(logging.shortcut, "Ctrl+L");
    MenuLabel play_one = parse_menu_label("Play &One Script\tCtrl+O");
    EXPECT_EQ(play_one.text, "Play One Script");
    EXPECT_EQ(play_one.mnemonic_index, 5);
    EXPECT_EQ(menu_mnemonic("Play &One Script\tCtrl+O"), 'O');
    EXPECT_EQ(menu_mnemonic("Advance one &frame"), 'F');
}

TEST(MenuLabel, DoubledAmpersandsAndBareTextsHaveNoMnemonic)
{
    MenuLabel both = parse_menu_label("Salt && pepper&");
    EXPECT_EQ(both.text, "Salt & pepper&");
    EXPECT_EQ(both.mnemonic_index, -1);
    EXPECT_EQ(menu_mnemonic("QZ370 v2.2 July 1997"), 0);
    EXPECT_EQ(parse_menu_label("QZ370 v2.2 July 1997").shortcut, "");
}

TEST_F(DesktopDisplay, PopupItemsAreStackedAndSeparatorsCannotBeHit)
{
    HWND hwnd = open_menu_window();
    const qz370::platform::Menu &popup = popup_of(hwnd);
    PopupLayout layout = layout_popup(popup);
    ASSERT_EQ(layout.items.size(), popup.items.size());
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const RECT &box = layout.items[i];
        POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        int expected = is_separator(popup.items[i]) ? NO_ITEM : static_cast<int>(i);
        EXPECT_EQ(popup_item_at(popup, layout, centre), expected) << "item " << i;
        if (i > 0) {
            EXPECT_EQ(box.top, layout.items[i - 1].bottom);
        }
    }
    EXPECT_EQ(popup_item_at(popup, layout, POINT{-1, layout.items[0].top}), NO_ITEM);
    EXPECT_GT(layout.width, menu_text_width("Halt animation") + menu_text_width("Ctrl+H"));
}

TEST_F(DesktopDisplay, ThePopupShowsCheckMarksGrayedItemsAndTheSelection)
{
    HWND hwnd = open_menu_window();
    DrawnPopup drawn = draw(popup_of(hwnd), 0);
    constexpr int CHECK_COLUMN = 17;
    EXPECT_GT(drawn.count(LOGGING_POSITION, MENU_TEXT, 0, CHECK_COLUMN), 10);
    EXPECT_EQ(drawn.count(1, MENU_TEXT, 0, CHECK_COLUMN), 0);
    EXPECT_GT(drawn.count(VERSION_POSITION, MENU_GRAYED_TEXT, 0, drawn.layout.width / 2), 10);
    EXPECT_EQ(drawn.count(VERSION_POSITION, MENU_TEXT, 0, drawn.layout.width / 2), 0);
    EXPECT_GT(drawn.count(0, MENU_HIGHLIGHT, 0, CHECK_COLUMN), 100);
    EXPECT_GT(drawn.count(0, MENU_HIGHLIGHT_TEXT, CHECK_COLUMN, drawn.layout.width / 2), 10);
    EXPECT_GT(drawn.count(2, MENU_SHADOW, 0, CHECK_COLUMN), 10);  // the separator's etched line
}

TEST_F(DesktopDisplay, ArrowsSkipSeparatorsAndEnterChoosesTheItem)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_DOWN, SDL_SCANCODE_DOWN);
    push_key(hwnd, SDL_KEYDOWN, SDLK_DOWN, SDL_SCANCODE_DOWN);
    push_key(hwnd, SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN);
    open_from_keyboard(hwnd);
    EXPECT_FALSE(menu_is_open());
    EXPECT_EQ(commands_in(take_messages()), std::vector<WPARAM>{RUN_LOGGING});
}

TEST_F(DesktopDisplay, AGrayedItemCanBeSelectedButNotChosen)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP);  // from the first item round to the last
    push_key(hwnd, SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN);
    push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    open_from_keyboard(hwnd);
    EXPECT_TRUE(commands_in(take_messages()).empty());
}

TEST_F(DesktopDisplay, AMnemonicChoosesItsItem)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_h, SDL_SCANCODE_H);
    open_from_keyboard(hwnd);
    EXPECT_EQ(commands_in(take_messages()), std::vector<WPARAM>{RUN_HALT});
}

TEST_F(DesktopDisplay, AClickOnTheBarOpensTheMenuAndAClickOnAnItemChoosesIt)
{
    HWND hwnd = open_menu_window();
    take_messages();
    POINT halt = item_centre(hwnd, 1);
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 10, MENU_BAR / 2);
    push_button(hwnd, SDL_MOUSEBUTTONUP, 10, MENU_BAR / 2);
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, halt.x, halt.y);
    push_button(hwnd, SDL_MOUSEBUTTONUP, halt.x, halt.y);
    std::vector<MSG> messages = take_messages();
    EXPECT_EQ(kinds_of(messages), std::vector<UINT>{WM_COMMAND});
    EXPECT_EQ(commands_in(messages), std::vector<WPARAM>{RUN_HALT});
}

TEST_F(DesktopDisplay, AClickOutsideClosesTheMenuAndGoesNoFurther)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_button(hwnd, SDL_MOUSEBUTTONDOWN, 500, 400);
    open_from_keyboard(hwnd);
    EXPECT_TRUE(take_messages().empty());
}

TEST_F(DesktopDisplay, CtrlReleasedWhileTheMenuIsOpenReachesTheProgramAfter)
{
    HWND hwnd = open_menu_window();
    take_messages();
    push_key(hwnd, SDL_KEYUP, SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    push_key(hwnd, SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
    push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    open_from_keyboard(hwnd);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(kinds_of(messages), std::vector<UINT>{WM_KEYUP});
    EXPECT_EQ(messages[0].wParam, WPARAM{VK_CONTROL});
}

namespace {

int ticks_seen = 0;
bool popup_was_shown = false;

// Looks at the screen while the menu is open, then closes it.
void CALLBACK look_and_close(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    ++ticks_seen;
    MenuOverlay overlay{};
    SDL_Surface *surface = SDL_GetWindowSurface(screen_window_of(hwnd)->window);
    if (menu_overlay_of(hwnd, &overlay) && surface != nullptr) {
        // The open bar item is highlighted, and so is the first item.
        auto pixel = [&](int x, int y) {
            Uint8 r, g, b;
            SDL_GetRGB(reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(surface->pixels) + y * surface->pitch)[x],
                       surface->format, &r, &g, &b);
            return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
        };
        popup_was_shown = pixel(1, 1) == MENU_HIGHLIGHT &&
                          pixel(overlay.popup_origin.x + 5, overlay.popup_origin.y + 5) == MENU_HIGHLIGHT &&
                          pixel(overlay.popup_origin.x + overlay.popup_width - 1, overlay.popup_origin.y + 1) ==
                              MENU_DARK_SHADOW;
    }
    SDL_Event escape{};
    escape.type = SDL_KEYDOWN;
    escape.key.state = SDL_PRESSED;
    escape.key.keysym = SDL_Keysym{SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 0};
    SDL_PushEvent(&escape);
}

}  // namespace

TEST_F(DesktopDisplay, TimersStillFireWhileTheMenuIsOpenOnScreen)
{
    HWND hwnd = open_menu_window();
    take_messages();
    SetTimer(hwnd, 1, 10, look_and_close);
    open_from_keyboard(hwnd);
    EXPECT_GE(ticks_seen, 1);
    EXPECT_TRUE(popup_was_shown);
    EXPECT_TRUE(commands_in(take_messages()).empty());
}
