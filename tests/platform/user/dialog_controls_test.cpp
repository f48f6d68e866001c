// The built-in controls on their own: what the edit field does with keys and
// characters, and what the controls and the dialog draw.
#include <gtest/gtest.h>

#include <string>

#include "dialog_template_builder.h"
#include "gdi/fonts/font.h"
#include "headless.h"
#include "user/window_system.h"

using namespace dialog_test;
namespace headless = qz370::headless;

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t FACE_GREY = 0xC0C0C0;
constexpr uint32_t BLACK = 0x000000;

LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int line_height()
{
    TEXTMETRICA metrics;
    qz370::fonts::metrics(qz370::fonts::face_for(qz370::fonts::Family::System, 0, FW_BOLD), &metrics);
    return metrics.tmHeight;
}

// Handles everything queued, paints included, without blocking.
void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class Controls : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA parent_class{};
        parent_class.lpfnWndProc = parent_proc;
        parent_class.lpszClassName = "ControlParent";
        RegisterClassA(&parent_class);
        parent = CreateWindowExA(0, "ControlParent", "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    }

    HWND edit(DWORD style, int x, int y, int width, int height)
    {
        return CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<uintptr_t>(EDIT_ID)), nullptr, nullptr);
    }

    static std::string text_of(HWND hwnd)
    {
        char text[512];
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }

    static void type(HWND hwnd, const std::string &characters)
    {
        for (char c : characters) {
            SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 0);
        }
    }

    static void key(HWND hwnd, int virtual_key) { SendMessageA(hwnd, WM_KEYDOWN, virtual_key, 0); }

    uint32_t pixel(int x, int y) const
    {
        int width;
        int height;
        const uint32_t *pixels = headless::client_pixels(parent, &width, &height);
        return pixels[y * width + x];
    }

    // Whether anything but the background shows in the rectangle.
    bool drawn_in(const RECT &box, uint32_t background) const
    {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                if (pixel(x, y) != background) {
                    return true;
                }
            }
        }
        return false;
    }

    bool same_pixels(const RECT &a, const RECT &b) const
    {
        for (int y = 0; y < a.bottom - a.top; ++y) {
            for (int x = 0; x < a.right - a.left; ++x) {
                if (pixel(a.left + x, a.top + y) != pixel(b.left + x, b.top + y)) {
                    return false;
                }
            }
        }
        return true;
    }

    HWND parent = nullptr;
};

}  // namespace

TEST_F(Controls, EditTakesCharactersAndBackspace)
{
    HWND field = edit(ES_MULTILINE, 0, 0, 200, 60);
    type(field, "abc\xE9");
    EXPECT_EQ(text_of(field), "abc\xE9");
    type(field, "\b\b");
    EXPECT_EQ(text_of(field), "ab");
    type(field, "\t\x01\x1B");
    EXPECT_EQ(text_of(field), "ab");
}

// Line breaks are CR LF and go as a whole.
TEST_F(Controls, EditKeepsLineBreaksWhole)
{
    HWND field = edit(ES_MULTILINE, 0, 0, 200, 60);
    type(field, "ab\rcd\n");
    EXPECT_EQ(text_of(field), "ab\r\ncd\r\n");
    type(field, "\b");
    EXPECT_EQ(text_of(field), "ab\r\ncd");
    key(field, VK_LEFT);
    key(field, VK_LEFT);
    key(field, VK_LEFT);
    type(field, "\b");
    EXPECT_EQ(text_of(field), "a\r\ncd");
    key(field, VK_DELETE);
    EXPECT_EQ(text_of(field), "acd");
}

TEST_F(Controls, SingleLineEditIgnoresLineBreaks)
{
    HWND field = edit(0, 0, 0, 200, 20);
    type(field, "a\r\nb");
    EXPECT_EQ(text_of(field), "ab");
}

TEST_F(Controls, EditCaretKeysMoveWithinTheText)
{
    HWND field = edit(ES_MULTILINE, 0, 0, 200, 60);
    type(field, "first\rsecond");
    key(field, VK_HOME);
    type(field, ">");
    key(field, VK_UP);
    key(field, VK_END);
    type(field, "<");
    key(field, VK_DOWN);
    key(field, VK_HOME);
    key(field, VK_RIGHT);
    key(field, VK_RIGHT);
    type(field, "|");
    EXPECT_EQ(text_of(field), "first<\r\n>s|econd");
}

TEST_F(Controls, SettingTheTextPutsTheCaretAtItsStart)
{
    HWND field = edit(ES_MULTILINE, 0, 0, 200, 60);
    type(field, "old");
    SetWindowTextA(field, "new");
    type(field, "x");
    EXPECT_EQ(text_of(field), "xnew");
}

// Text longer than the field wraps onto the next line, unless the field has
// one line only.
TEST_F(Controls, MultiLineEditWrapsLongText)
{
    const std::string words = "some words that are far too long for one line";
    HWND wrapping = edit(ES_MULTILINE, 0, 0, 100, 80);
    HWND single = edit(0, 150, 0, 100, 80);
    type(wrapping, words);
    type(single, words);
    SetFocus(nullptr);
    pump();
    const int line = line_height();
    EXPECT_TRUE(drawn_in(RECT{0, line, 100, 2 * line}, WHITE));
    EXPECT_FALSE(drawn_in(RECT{150, line, 250, 2 * line}, WHITE));
}

// A field that has scrolled to its caret shows the same as one holding only
// the lines in view.
TEST_F(Controls, EditScrollsToKeepTheCaretInView)
{
    const int three_lines = 3 * line_height();
    HWND scrolled = edit(ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 100, three_lines);
    HWND fitting = edit(ES_MULTILINE | ES_AUTOVSCROLL, 150, 0, 100, three_lines);
    type(scrolled, "1\r2\r3\r4\r5\r6\r7\r8");
    type(fitting, "6\r7\r8");
    SetFocus(nullptr);
    pump();
    EXPECT_TRUE(drawn_in(RECT{0, 0, 100, three_lines}, WHITE));
    EXPECT_TRUE(same_pixels(RECT{0, 0, 100, three_lines}, RECT{150, 0, 250, three_lines}));
}

TEST_F(Controls, FocusedEditShowsItsCaret)
{
    HWND field = edit(ES_MULTILINE, 0, 0, 100, 40);
    pump();
    EXPECT_FALSE(drawn_in(RECT{0, 0, 100, 40}, WHITE));
    SetFocus(field);
    pump();
    EXPECT_TRUE(drawn_in(RECT{0, 0, 100, 40}, WHITE));
}

TEST_F(Controls, ButtonTellsItsParentWhenClickedAndReleasedOverIt)
{
    static std::vector<WPARAM> commands;
    commands.clear();
    WNDCLASSA listener{};
    listener.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_COMMAND) {
            commands.push_back(wParam);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    };
    listener.lpszClassName = "ButtonListener";
    RegisterClassA(&listener);
    HWND window = CreateWindowExA(0, "ButtonListener", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "Okay", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10, 80, 24,
                                  window, reinterpret_cast<HMENU>(static_cast<uintptr_t>(BUTTON_ID)), nullptr,
                                  nullptr);
    headless::click(window, 20, 20);
    pump();
    EXPECT_EQ(commands, std::vector<WPARAM>{MAKEWPARAM(BUTTON_ID, BN_CLICKED)});
    EXPECT_EQ(GetFocus(), button);

    SendMessageA(button, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(commands.size(), 1u);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(commands.size(), 2u);
}

// The grey face, the edit's white field in its black frame, the default
// button's black outline, and the prompt's text.
TEST_F(Controls, DialogDrawsInTheClassicLook)
{
    TemplateBuilder dialog_template = line_input_template(u"Prompt text");
    bool checked = false;
    headless::set_idle_hook([&] {
        HWND dialog = GetParent(GetFocus());
        int width;
        int height;
        const uint32_t *pixels = headless::client_pixels(dialog, &width, &height);
        auto at = [&](int x, int y) { return pixels[y * width + x]; };
        const RECT edit = qz370::platform::window_from(GetDlgItem(dialog, EDIT_ID))->client;
        const RECT button = qz370::platform::window_from(GetDlgItem(dialog, BUTTON_ID))->client;
        const RECT label = qz370::platform::window_from(GetDlgItem(dialog, STATIC_ID))->client;
        EXPECT_EQ(at(1, 1), FACE_GREY);
        EXPECT_EQ(at(edit.right - 2, edit.bottom - 2), WHITE);
        EXPECT_EQ(at(edit.left - 1, edit.top + 5), BLACK);
        EXPECT_EQ(at(button.left, button.top + 5), BLACK);
        bool label_drawn = false;
        for (int y = label.top; y < label.bottom; ++y) {
            for (int x = label.left; x < label.right; ++x) {
                label_drawn = label_drawn || at(x, y) == BLACK;
            }
        }
        EXPECT_TRUE(label_drawn);
        checked = true;
        headless::key_down(GetFocus(), VK_RETURN);
    });
    DialogBoxIndirectParamA(nullptr, dialog_template.get(), parent,
                            [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                                if (message == WM_COMMAND && wParam == BUTTON_ID) {
                                    EndDialog(dialog, 1);
                                }
                                return message == WM_INITDIALOG;
                            },
                            0);
    EXPECT_TRUE(checked);
}
