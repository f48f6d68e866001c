// The line input dialog in real windows on an X server with no window manager:
// each dialog takes the keyboard while it is open and hands it back to the
// graphics window as it closes, however many come one after another.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "desktop/game_under_x.h"

using namespace desktop_test;

namespace {

const std::string DIALOG_TITLE = "QZ370_gets";
const std::string GRAPHICS_TITLE = "QZ370 Graphics";
// Long enough for the program to see the keyboard move while a key is held.
constexpr std::chrono::milliseconds HOLD{300};

class DialogsOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!desktop_tests_enabled()) {
            GTEST_SKIP() << "runs on a virtual X server: make desktop-test";
        }
        Display *display = GameUnderX::open_display();
        if (display == nullptr) {
            GTEST_SKIP() << "no X server to run on";
        }
        program_ = std::make_unique<GameUnderX>(display);
        // A key held stays one press, as a quick user's is.
        program_->set_key_repeat(false);
        program_->start({}, TWO_QUESTIONS_PROGRAM);
    }

    void TearDown() override
    {
        if (program_ != nullptr) {
            program_->set_key_repeat(true);
        }
    }

    // Letters only: their key symbols are their characters.
    void type(const std::string &text)
    {
        for (char c : text) {
            program_->keys({static_cast<unsigned long>(c)});
        }
    }

    bool printed(const std::string &text) const { return program_->output().find(text) != std::string::npos; }

    bool has_keyboard(const std::string &title) const
    {
        Window window = program_->find_window(title);
        return window != 0 && program_->focused() == window;
    }

    std::unique_ptr<GameUnderX> program_;
};

}  // namespace

// The Enter that closes the first dialog is still held as the graphics window
// and then the second dialog take the keyboard: neither acts on it. No click
// gives the keyboard back to the graphics window; the program alone moves it.
TEST_F(DialogsOnDesktop, AfterTwoDialogsInARowTypedKeysAndCtrlQReachTheProgram)
{
    ASSERT_TRUE(wait_until([&] { return has_keyboard(DIALOG_TITLE); })) << program_->output();
    type("ada");
    program_->press(XK_Return);
    ASSERT_TRUE(wait_until([&] { return printed("answer: ada\n"); })) << program_->output();
    ASSERT_TRUE(wait_until([&] { return has_keyboard(DIALOG_TITLE); })) << program_->output();
    std::this_thread::sleep_for(HOLD);
    program_->release(XK_Return);

    type("bob");
    program_->keys({XK_Return});
    ASSERT_TRUE(wait_until([&] { return printed("answer: bob\n"); })) << program_->output();
    EXPECT_TRUE(has_keyboard(GRAPHICS_TITLE));
    type("xy");
    const std::string expected = "answer: ada\nanswer: bob\nkey: x\nkey: y\n";
    EXPECT_TRUE(wait_until([&] { return printed(expected); })) << program_->output();
    program_->keys({XK_Control_L, XK_q});
    EXPECT_EQ(program_->wait_for_exit(), std::optional<int>(0)) << program_->output();
    EXPECT_EQ(program_->output(), expected);
}
