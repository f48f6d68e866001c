// Modal dialogs from templates: building, geometry, the modal loop's keys,
// the owner, and the ways a dialog ends.
#include <gtest/gtest.h>

#include <vector>

#include "dialog_template_builder.h"
#include "display/display_driver.h"
#include "headless.h"
#include "support/idle_steps.h"
#include "user/window_system.h"

using namespace dialog_test;
namespace headless = qz370::headless;
using test_support::when_idle;

namespace {

constexpr INT_PTR ENDED_BY_BUTTON = 7;

// What the test dialog procedure saw.
struct Seen {
    LPARAM init_parameter = 0;
    HWND focus_offered = nullptr;
    std::vector<WPARAM> commands;
    INT_PTR init_result = TRUE;
};
Seen seen;

// Ends the dialog when its button is pressed; records every command.
INT_PTR CALLBACK test_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        seen.init_parameter = lParam;
        seen.focus_offered = reinterpret_cast<HWND>(wParam);
        if (seen.init_result == FALSE) {
            SetFocus(GetDlgItem(dialog, BUTTON_ID));  // it places the focus itself
        }
        return seen.init_result;
    }
    if (message == WM_COMMAND) {
        seen.commands.push_back(wParam);
        if (LOWORD(wParam) == BUTTON_ID) {
            EndDialog(dialog, ENDED_BY_BUTTON);
        }
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK owner_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND open_dialog()
{
    return GetParent(GetFocus());
}

void press(HWND hwnd, int virtual_key)
{
    headless::key_down(hwnd, virtual_key);
    headless::key_up(hwnd, virtual_key);
}

class DialogBox : public testing::Test {
protected:
    void SetUp() override
    {
        seen = Seen{};
        WNDCLASSA owner_class{};
        owner_class.lpfnWndProc = owner_proc;
        owner_class.lpszClassName = "DialogOwner";
        RegisterClassA(&owner_class);
        owner = CreateWindowExA(0, "DialogOwner", "Owner", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 80, 500, 400,
                                nullptr, nullptr, nullptr, nullptr);
        SetFocus(owner);
    }

    INT_PTR run(TemplateBuilder &dialog_template, LPARAM parameter = 0)
    {
        return DialogBoxIndirectParamA(nullptr, dialog_template.get(), owner, test_dialog_proc, parameter);
    }

    HWND owner = nullptr;
};

}  // namespace

TEST_F(DialogBox, InitDialogGetsTheParameterAndFocusGoesToTheFirstTabStop)
{
    TemplateBuilder dialog_template = line_input_template();
    HWND focus_while_open = nullptr;
    when_idle({[&] {
        focus_while_open = GetFocus();
        press(GetFocus(), VK_RETURN);
    }});
    EXPECT_EQ(run(dialog_template, 1234), ENDED_BY_BUTTON);
    EXPECT_EQ(seen.init_parameter, 1234);
    EXPECT_EQ(seen.focus_offered, focus_while_open);
    EXPECT_FALSE(IsWindow(focus_while_open));  // destroyed with the dialog
    EXPECT_EQ(GetFocus(), owner);
}

std::vector<HWND> activated;
void record_activation(HWND hwnd)
{
    activated.push_back(hwnd);
}

// The display is told each time the focus moves into another top-level
// window: into the dialog as it opens, back into the owner as it closes.
TEST_F(DialogBox, TheDisplayMovesTheKeyboardIntoTheDialogAndBackToTheOwner)
{
    qz370::platform::DisplayDriver recording = qz370::platform::headless_display_driver();
    recording.activate = record_activation;
    qz370::platform::set_display_driver(&recording);
    activated.clear();
    TemplateBuilder dialog_template = line_input_template();
    HWND dialog = nullptr;
    when_idle({[&] {
        dialog = open_dialog();
        press(GetFocus(), VK_TAB);  // the focus moving within the dialog activates nothing
        press(GetFocus(), VK_RETURN);
    }});
    run(dialog_template);
    EXPECT_EQ(activated, (std::vector<HWND>{dialog, owner}));
}

TEST_F(DialogBox, FocusIsLeftAloneWhenInitDialogSaysSo)
{
    seen.init_result = FALSE;
    TemplateBuilder dialog_template = line_input_template();
    HWND focus_while_open = nullptr;
    HWND button = nullptr;
    when_idle({[&] {
        focus_while_open = GetFocus();
        button = GetDlgItem(open_dialog(), BUTTON_ID);
        press(GetFocus(), VK_RETURN);
    }});
    EXPECT_EQ(run(dialog_template), ENDED_BY_BUTTON);
    EXPECT_NE(button, nullptr);
    EXPECT_EQ(focus_while_open, button);
}

// Sizes and places are in dialog units of the classic system font, 7 by 16
// pixels: the pixels below are those the real window system gives this
// template. The dialog sits relative to its owner's client area, and its size
// is its client's.
TEST_F(DialogBox, GeometryFollowsDialogUnits)
{
    TemplateBuilder dialog_template = line_input_template();
    RECT dialog_client{};
    RECT dialog_frame{};
    RECT owner_frame{};
    RECT edit_frame{};
    std::string title;
    when_idle({[&] {
        HWND dialog = open_dialog();
        GetClientRect(dialog, &dialog_client);
        GetWindowRect(dialog, &dialog_frame);
        GetWindowRect(owner, &owner_frame);
        edit_frame = qz370::platform::window_from(GetDlgItem(dialog, EDIT_ID))->frame;
        title = qz370::platform::window_from(dialog)->title;
        EXPECT_EQ(qz370::platform::window_from(dialog)->owner, owner);
        press(GetFocus(), VK_RETURN);
    }});
    run(dialog_template);
    EXPECT_EQ(title, "QZ370_gets");
    EXPECT_EQ(dialog_client.right, 324);
    EXPECT_EQ(dialog_client.bottom, 184);
    const RECT owner_client = qz370::platform::window_from(owner)->client;
    EXPECT_EQ(owner_client.left - owner_frame.left, qz370::platform::BORDER);
    EXPECT_EQ(dialog_frame.left, owner_client.left + 88);
    EXPECT_EQ(dialog_frame.top, owner_client.top + 100);
    EXPECT_EQ(edit_frame.left, 14);
    EXPECT_EQ(edit_frame.top, 60);
    EXPECT_EQ(edit_frame.right - edit_frame.left, 292);
}

// Enter presses the default button; Esc and the close box ask to cancel,
// which this dialog procedure takes as a command like any other.
TEST_F(DialogBox, EnterEscapeAndTheCloseBoxBecomeCommands)
{
    TemplateBuilder dialog_template = line_input_template();
    when_idle({[&] {
                   press(GetFocus(), VK_ESCAPE);
                   headless::close_window(open_dialog());
               },
               [&] { press(GetFocus(), VK_RETURN); }});
    EXPECT_EQ(run(dialog_template), ENDED_BY_BUTTON);
    EXPECT_EQ(seen.commands, (std::vector<WPARAM>{IDCANCEL, IDCANCEL, BUTTON_ID}));
}

// Without a default button Enter stands for IDOK.
TEST_F(DialogBox, EnterWithoutADefaultButtonIsOk)
{
    TemplateBuilder dialog_template;
    dialog_template.header(DIALOG_STYLE, 1, 0, 0, 100, 50, u"Plain");
    dialog_template.control(EDIT_STYLE, 1, 1, 50, 20, EDIT_ID, EDIT_ATOM, u"");
    when_idle({[&] { press(GetFocus(), VK_RETURN); },
               [&] {
                   EndDialog(open_dialog(), 0);
                   PostMessageA(owner, WM_NULL, 0, 0);
               }});
    EXPECT_EQ(run(dialog_template), 0);
    EXPECT_EQ(seen.commands, std::vector<WPARAM>{IDOK});
}

TEST_F(DialogBox, TabMovesTheFocusAlongTheTabStops)
{
    TemplateBuilder dialog_template = line_input_template();
    HWND edit = nullptr;
    HWND button = nullptr;
    HWND after_tab = nullptr;
    HWND after_two_tabs = nullptr;
    when_idle({[&] {
                   edit = GetFocus();
                   button = GetDlgItem(open_dialog(), BUTTON_ID);
                   press(edit, VK_TAB);
               },
               [&] {
                   after_tab = GetFocus();
                   press(after_tab, VK_TAB);
               },
               [&] {
                   after_two_tabs = GetFocus();
                   press(GetFocus(), VK_RETURN);
               }});
    run(dialog_template);
    EXPECT_EQ(after_tab, button);
    EXPECT_EQ(after_two_tabs, edit);
}

TEST_F(DialogBox, QuitRequestEndsItWithZeroAndIsPostedAgain)
{
    TemplateBuilder dialog_template = line_input_template();
    when_idle({[] { PostQuitMessage(5); }});
    EXPECT_EQ(run(dialog_template), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogBox, TemplatesThatCannotBeBuiltGiveMinusOne)
{
    const size_t windows_before = qz370::platform::top_level_windows().size();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, owner, test_dialog_proc, 0), -1);
    TemplateBuilder unknown_class;
    unknown_class.header(DIALOG_STYLE, 1, 0, 0, 10, 10, u"");
    unknown_class.control_fields(WS_CHILD, 0, 0, 5, 5, 1).text(u"NoSuchClass").text(u"").word(0);
    EXPECT_EQ(run(unknown_class), -1);
    EXPECT_EQ(qz370::platform::top_level_windows().size(), windows_before);
    EXPECT_TRUE(seen.commands.empty());
    EXPECT_TRUE(IsWindowEnabled(owner));
}

// Texts are cut to the buffer, terminator included.
TEST_F(DialogBox, ControlTextsByIdentifier)
{
    TemplateBuilder dialog_template = line_input_template();
    char small[5];
    char whole[300];
    UINT copied = 0;
    HWND missing = reinterpret_cast<HWND>(1);
    when_idle({[&] {
        HWND dialog = open_dialog();
        SetDlgItemTextA(dialog, EDIT_ID, std::string(280, 'w').c_str());
        copied = GetDlgItemTextA(dialog, EDIT_ID, small, sizeof small);
        GetDlgItemTextA(dialog, EDIT_ID, whole, 256);
        missing = GetDlgItem(dialog, 999);
        EXPECT_EQ(GetDlgItemTextA(dialog, 999, small, sizeof small), 0u);
        press(GetFocus(), VK_RETURN);
    }});
    run(dialog_template);
    EXPECT_EQ(copied, 4u);
    EXPECT_EQ(std::string(whole), std::string(255, 'w'));
    EXPECT_EQ(missing, nullptr);
}

TEST(EndDialog, RefusesWindowsThatAreNoDialogs)
{
    EXPECT_FALSE(EndDialog(nullptr, 1));
}
