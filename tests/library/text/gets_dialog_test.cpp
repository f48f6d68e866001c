// QZ370_gets as a user meets it: the dialog opens over the graphics window,
// the user types into it from the headless display, and only Okay or Enter
// closes it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "headless.h"
#include "library_state.h"
#include "support/idle_steps.h"

namespace headless = qz370::headless;
using test_support::when_idle;

namespace {

constexpr char UNTOUCHED = 'J';

HWND dialog()
{
    return GetParent(GetFocus());
}

void type(const std::string &text)
{
    for (char c : text) {
        headless::type_char(GetFocus(), static_cast<unsigned char>(c));
    }
}

void press(int virtual_key)
{
    headless::key_down(GetFocus(), virtual_key);
    headless::key_up(GetFocus(), virtual_key);
}

class GetsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
        std::memset(buffer, UNTOUCHED, sizeof buffer);
    }

    char buffer[GETS_BUFFER_SIZE + 8];
};

}  // namespace

TEST_F(GetsDialog, EnterClosesItWithTheTypedLine)
{
    when_idle({[] {
        type("hello there");
        press(VK_RETURN);
    }});
    EXPECT_EQ(QZ370_gets("Your name?", buffer), 1);
    EXPECT_STREQ(buffer, "hello there");
    EXPECT_EQ(GetFocus(), graphics_window);
}

TEST_F(GetsDialog, OkayButtonClosesIt)
{
    when_idle({[] {
        type("x");
        headless::click(GetDlgItem(dialog(), GETS_BUTTON_ID), 5, 5);
    }});
    EXPECT_EQ(QZ370_gets("Prompt", buffer), 1);
    EXPECT_STREQ(buffer, "x");
}

TEST_F(GetsDialog, EmptyFieldGivesAnEmptyLine)
{
    when_idle({[] { press(VK_RETURN); }});
    EXPECT_EQ(QZ370_gets("", buffer), 1);
    EXPECT_STREQ(buffer, "");
}

TEST_F(GetsDialog, EscapeAndTheCloseBoxLeaveItOpen)
{
    HWND open_dialog = nullptr;
    bool open_after_escape = false;
    bool open_after_close_box = false;
    when_idle({[&] {
                   open_dialog = dialog();
                   press(VK_ESCAPE);
               },
               [&] {
                   open_after_escape = IsWindow(open_dialog);
                   headless::close_window(open_dialog);
               },
               [&] {
                   open_after_close_box = IsWindow(open_dialog);
                   type("still here");
                   press(VK_RETURN);
               }});
    EXPECT_EQ(QZ370_gets("Prompt", buffer), 1);
    EXPECT_TRUE(open_after_escape);
    EXPECT_TRUE(open_after_close_box);
    EXPECT_STREQ(buffer, "still here");
    EXPECT_FALSE(IsWindow(open_dialog));
}

TEST_F(GetsDialog, ThreeHundredCharactersGiveTheFirst255)
{
    std::string typed;
    for (int i = 0; i < 300; ++i) {
        typed.push_back(static_cast<char>('!' + i % 90));
    }
    when_idle({[&] {
        type(typed);
        press(VK_RETURN);
    }});
    EXPECT_EQ(QZ370_gets("Prompt", buffer), 1);
    EXPECT_EQ(std::string(buffer), typed.substr(0, GETS_BUFFER_SIZE - 1));
    EXPECT_EQ(buffer[GETS_BUFFER_SIZE], UNTOUCHED);
}

// Ctrl+Enter breaks the line, as in any multi-line field of a dialog.
TEST_F(GetsDialog, LineBreakIsPartOfTheResult)
{
    when_idle({[] {
        type("one");
        headless::key_down(GetFocus(), VK_CONTROL);
        press(VK_RETURN);
        headless::key_up(GetFocus(), VK_CONTROL);
        type("two");
        press(VK_RETURN);
    }});
    EXPECT_EQ(QZ370_gets("Prompt", buffer), 1);
    EXPECT_STREQ(buffer, "one\r\ntwo");
}

TEST_F(GetsDialog, PromptIsShownCutAfter79Characters)
{
    const std::string prompt(100, 'q');
    char shown[GETS_BUFFER_SIZE] = {};
    when_idle({[&] {
        GetDlgItemTextA(dialog(), GETS_PROMPT_ID, shown, sizeof shown);
        press(VK_RETURN);
    }});
    QZ370_gets(prompt.c_str(), buffer);
    EXPECT_EQ(std::string(shown), prompt.substr(0, 79));
}

// The timer still ticks into the graphics window while the dialog is open,
// but the window takes no input.
TEST_F(GetsDialog, GraphicsWindowKeepsItsMessagesButTakesNoInput)
{
    QZ370_set_animation(QZ370_RUN);
    input.timer_fired = 0;
    const int64_t start = headless::now_ms();
    bool enabled_while_open = true;
    when_idle({[&] {
                   enabled_while_open = IsWindowEnabled(graphics_window);
                   headless::click(graphics_window, 10, 10);
               },
               [] {},
               [] { press(VK_RETURN); }});
    QZ370_gets("Prompt", buffer);
    EXPECT_FALSE(enabled_while_open);
    EXPECT_EQ(input.timer_fired, 1);
    EXPECT_GT(headless::now_ms(), start);
    EXPECT_NE(input.current_event.kind, QZ370_MOUSE);
    EXPECT_TRUE(IsWindowEnabled(graphics_window));
}

// The program was asked to quit: the dialog ends, the line is empty, and the
// program's next wait still sees the request.
TEST_F(GetsDialog, QuitRequestEndsItAndReachesTheProgram)
{
    when_idle({[] {
        type("lost");
        PostQuitMessage(0);
    }});
    EXPECT_EQ(QZ370_gets("Prompt", buffer), 1);
    EXPECT_STREQ(buffer, "");
    int x;
    int y;
    char key;
    EXPECT_EQ(QZ370_next_event(&x, &y, &key), QZ370_EXIT);
}
