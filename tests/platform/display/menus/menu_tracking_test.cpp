// The menu loop both screens share, driven by scripted menu events on the
// headless display: each script must close the menu with its last event, and
// the menu must post the command given, or none.
#include <deque>
#include <string>

#include "display/menus/menu_drawing.h"
#include "display/menus/menu_tracking.h"
#include "platform/window_test_support.h"

using namespace window_test;
using namespace qz370::menus;
using qz370::platform::Menu;
using qz370::platform::MENU_BAR;
using qz370::platform::menu_from;

namespace {

constexpr UINT ABOUT = 10;
constexpr UINT ADVICE = 11;
constexpr UINT QUIT = 12;
constexpr UINT NO_COMMAND = 0;
constexpr int RUN = 0;  // bar items
constexpr int HELP = 1;
constexpr int OPENED_BY_KEYBOARD = -1;

enum Place { NOWHERE, ON_BAR, ON_POPUP, IN_CLIENT, IN_OTHER_WINDOW };

struct Step {
    MenuEventKind kind;
    int key_or_item;
    Place place;
    bool repeat;
};

Step key(int virtual_key, bool repeat = false) { return Step{KEY_PRESSED, virtual_key, NOWHERE, repeat}; }
Step move(Place place, int item = 0) { return Step{POINTER_MOVED, item, place, false}; }
Step press(Place place, int item = 0) { return Step{BUTTON_PRESSED, item, place, false}; }
Step release(Place place, int item = 0) { return Step{BUTTON_RELEASED, item, place, false}; }

struct Script {
    std::string name;
    int opened_on;  // a bar item pressed, or OPENED_BY_KEYBOARD
    std::vector<Step> steps;
    UINT command;
};

std::ostream &operator<<(std::ostream &out, const Script &script) { return out << script.name; }

HWND menu_window;
HWND other_window;
std::deque<Step> pending;
bool ran_dry;

POINT centre_of(const RECT &box) { return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2}; }

const Menu &bar_menu() { return *menu_from(GetMenu(menu_window)); }

// Where a step points, in the content of the menu window: the open pop-up's
// items are found where the loop placed them.
POINT point_of(const Step &step)
{
    MenuOverlay open{};
    menu_overlay_of(menu_window, &open);
    switch (step.place) {
    case ON_BAR: return POINT{centre_of(menu_bar_item_box(bar_menu(), step.key_or_item)).x, MENU_BAR / 2};
    case ON_POPUP:
    case IN_OTHER_WINDOW: {
        const Menu &popup = *menu_from(GetSubMenu(GetMenu(menu_window), open.bar_item));
        POINT centre = centre_of(layout_popup(popup).items[step.key_or_item]);
        return POINT{open.popup_origin.x + centre.x, open.popup_origin.y + centre.y};
    }
    case IN_CLIENT: return POINT{500, 400};
    case NOWHERE: break;
    }
    return POINT{0, 0};
}

void take_next_step(int64_t)
{
    if (pending.empty()) {
        ran_dry = true;
        handle_menu_event(MenuEvent{.kind = WINDOW_CLOSING});
        return;
    }
    Step step = pending.front();
    pending.pop_front();
    HWND window = step.place == IN_OTHER_WINDOW ? other_window : menu_window;
    handle_menu_event(MenuEvent{step.kind, step.key_or_item, step.repeat, window, point_of(step)});
}

void show_nothing(HWND) {}
void show_no_windows() {}

const MenuScreen SCRIPTED = {show_nothing, show_no_windows, take_next_step};

class MenuTracking : public ::testing::TestWithParam<Script> {
protected:
    void SetUp() override
    {
        HMENU bar = CreateMenu();
        HMENU run = run_like_popup();
        HMENU help = CreatePopupMenu();
        AppendMenuA(help, MF_STRING, ABOUT, "&About");
        AppendMenuA(help, MF_STRING, ADVICE, "&Advice");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
        AppendMenuA(bar, MF_STRING, QUIT, "&Quit");
        menu_window = create_window(WS_CAPTION, 0, 0, 601, 540);
        other_window = create_window(WS_CAPTION, 0, 0, 601, 540);
        SetMenu(menu_window, bar);
        pump();
    }
};

TEST_P(MenuTracking, TheLastStepClosesTheMenuWithItsCommand)
{
    const Script &script = GetParam();
    pending.assign(script.steps.begin(), script.steps.end());
    ran_dry = false;
    if (script.opened_on == OPENED_BY_KEYBOARD) {
        track_menu_bar(menu_window, true, SCRIPTED);
    } else {
        track_menu_at(menu_window, centre_of(menu_bar_item_box(bar_menu(), script.opened_on)).x, SCRIPTED);
    }
    EXPECT_FALSE(menu_is_open());
    EXPECT_FALSE(ran_dry) << "the menu stayed open";
    EXPECT_TRUE(pending.empty()) << "the menu closed " << pending.size() << " steps early";
    std::vector<WPARAM> expected;
    if (script.command != NO_COMMAND) {
        expected.push_back(script.command);
    }
    EXPECT_EQ(commands_in(pump()), expected);
}

const Script SCRIPTS[] = {
    {"ArrowsSkipSeparators", OPENED_BY_KEYBOARD, {key(VK_DOWN), key(VK_DOWN), key(VK_RETURN)}, RUN_LOGGING},
    {"AGrayedItemIsSelectedNotChosen", OPENED_BY_KEYBOARD, {key(VK_UP), key(VK_RETURN), key(VK_ESCAPE)}, NO_COMMAND},
    {"AMnemonicChoosesItsOnlyItem", OPENED_BY_KEYBOARD, {key('H')}, RUN_HALT},
    {"AMnemonicSharedSelectsTheNext", OPENED_BY_KEYBOARD, {key(VK_RIGHT), key('A'), key(VK_RETURN)}, ADVICE},
    {"RightOpensTheNextBarItemSelected", OPENED_BY_KEYBOARD, {key(VK_RIGHT), key(VK_RETURN)}, ABOUT},
    {"LeftWrapsToABarCommand", OPENED_BY_KEYBOARD, {key(VK_LEFT)}, QUIT},
    {"AltHeldDownKeepsTheMenu", OPENED_BY_KEYBOARD, {key(VK_MENU, true), key(VK_MENU)}, NO_COMMAND},
    {"F10Closes", OPENED_BY_KEYBOARD, {key(VK_F10)}, NO_COMMAND},
    {"HoverSelects", RUN, {move(ON_POPUP, 1), key(VK_RETURN)}, RUN_HALT},
    {"EnterWithNothingSelectedWaits", RUN, {key(VK_RETURN), key(VK_ESCAPE)}, NO_COMMAND},
    {"AnItemIsChosenOnRelease", RUN, {press(ON_POPUP, 3), release(ON_POPUP, 3)}, RUN_LOGGING},
    {"ReleaseOnAGrayedItemChoosesNothing", RUN, {release(ON_POPUP, 5), key(VK_ESCAPE)}, NO_COMMAND},
    {"HoverOnTheBarOpensAnotherPopup", RUN, {move(ON_BAR, HELP), release(ON_POPUP, 1)}, ADVICE},
    {"APressOnAnotherBarItemOpensIt", RUN, {press(ON_BAR, HELP), key(VK_DOWN), key(VK_RETURN)}, ABOUT},
    {"ASecondPressOnTheBarItemCloses", RUN, {press(ON_BAR, RUN)}, NO_COMMAND},
    {"APressOutsideTheMenuCloses", RUN, {press(IN_CLIENT)}, NO_COMMAND},
    {"OtherWindowsArePassedOverButAPressCloses",
     RUN,
     {move(IN_OTHER_WINDOW, 1), release(IN_OTHER_WINDOW, 1), key(VK_RETURN), press(IN_OTHER_WINDOW, 1)},
     NO_COMMAND},
    {"ClosingAWindowCloses", RUN, {Step{WINDOW_CLOSING, 0, NOWHERE, false}}, NO_COMMAND},
};

INSTANTIATE_TEST_SUITE_P(Scripts, MenuTracking, ::testing::ValuesIn(SCRIPTS),
                         [](const ::testing::TestParamInfo<Script> &info) { return info.param.name; });

}  // namespace
