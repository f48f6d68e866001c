#include <gtest/gtest.h>

#include "open_library.h"

using namespace events_test;
namespace headless = qz370::headless;

namespace {

void press(UINT virtual_key)
{
    SendMessageA(graphics_window, WM_KEYDOWN, virtual_key, 0);
}

void release(UINT virtual_key)
{
    SendMessageA(graphics_window, WM_KEYUP, virtual_key, 0);
}

void ctrl_letter(UINT letter)
{
    press(VK_CONTROL);
    press(letter);
    release(letter);
    release(VK_CONTROL);
}

bool logging_checked()
{
    return (GetMenuState(run_menu, MENU_LOGGING, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace

TEST(RunCommands, ChosenMenuItemActsAtTheNextWait)
{
    open_library();
    ASSERT_TRUE(headless::choose_menu_item(graphics_window, MENU_ANIMATE));
    EXPECT_EQ(next_event().kind, QZ370_PERIODIC);
    EXPECT_EQ(input.running, 1);
}

TEST(RunCommands, CommandIdIsWParamTakenWhole)
{
    open_library();
    SendMessageA(graphics_window, WM_COMMAND, MAKEWPARAM(MENU_ANIMATE, 1), 0);
    SendMessageA(graphics_window, WM_COMMAND, MENU_ABOUT, 0);
    SendMessageA(graphics_window, WM_COMMAND, 0, 0);
    EXPECT_EQ(input.running, 0);
    SendMessageA(graphics_window, WM_COMMAND, MENU_ANIMATE, 0);
    EXPECT_EQ(input.running, 1);
}

// Quit leaves the windows in place; the request reaches the program as the end event.
TEST(RunCommands, QuitFromMenuOrCtrlQEndsAtTheNextWait)
{
    open_library();
    ASSERT_TRUE(headless::choose_menu_item(graphics_window, MENU_QUIT));
    EXPECT_EQ(next_event().kind, QZ370_EXIT);
    ctrl_letter('Q');
    EXPECT_EQ(next_event().kind, QZ370_EXIT);
    EXPECT_TRUE(IsWindow(graphics_window));
    EXPECT_TRUE(IsWindow(text_window));
}

TEST(CtrlKeys, ClockLetters)
{
    open_library();
    ctrl_letter('A');
    EXPECT_EQ(input.running, 1);
    ctrl_letter('H');
    EXPECT_EQ(input.running, 0);
    ctrl_letter('A');
    ctrl_letter('F');
    EXPECT_EQ(input.running, 0);
    EXPECT_EQ(input.single_step, 1);
}

TEST(CtrlKeys, LettersWithoutCtrlDoNothing)
{
    open_library();
    press(VK_CONTROL);
    release(VK_CONTROL);
    for (UINT letter : {'A', 'F', 'L', 'Q'}) {
        press(letter);
    }
    EXPECT_EQ(input.running, 0);
    EXPECT_EQ(input.single_step, 0);
    EXPECT_EQ(logging, 1);
    click_client(CLIENT_CENTRE_X, CLIENT_CENTRE_Y);
    EXPECT_EQ(next_event().kind, QZ370_MOUSE);
}

// Each auto-repeated key-down is a command of its own.
TEST(CtrlKeys, HeldCtrlLTogglesLoggingAndItsCheckMarkOnEveryRepeat)
{
    open_library();
    ASSERT_TRUE(logging_checked());
    press(VK_CONTROL);
    press('L');
    EXPECT_EQ(logging, 0);
    EXPECT_FALSE(logging_checked());
    press('L');
    EXPECT_EQ(logging, 1);
    EXPECT_TRUE(logging_checked());
}

// Ctrl+A acts on the key-down and the character it types is dropped, so the
// wait hands out the periodic event that Animate arms. The text window passes
// its keys on, so the same holds there.
TEST(CtrlKeys, CtrlAFromEitherWindowAnimatesWithoutAKeyboardEvent)
{
    open_library();
    for (HWND hwnd : {graphics_window, text_window}) {
        QZ370_set_animation(QZ370_HALT);
        headless::key_down(hwnd, VK_CONTROL);
        headless::key_down(hwnd, 'A');
        headless::key_up(hwnd, 'A');
        headless::key_up(hwnd, VK_CONTROL);
        const Event event = next_event();
        EXPECT_EQ(event.kind, QZ370_PERIODIC);
        EXPECT_EQ(event.key, 0);
        EXPECT_EQ(input.running, 1);
    }
}
