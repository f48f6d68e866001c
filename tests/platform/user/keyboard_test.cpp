// Characters from keys: the US layout with Shift and Ctrl, and characters
// typed through the display whatever their key.
#include "platform/window_test_support.h"

using namespace window_test;
namespace headless = qz370::headless;

namespace {

std::vector<WPARAM> characters_typed()
{
    std::vector<WPARAM> characters;
    for (const MSG &msg : pump()) {
        if (msg.message == WM_CHAR) {
            characters.push_back(msg.wParam);
        }
    }
    return characters;
}

void press(HWND hwnd, int key)
{
    headless::key_down(hwnd, key);
    headless::key_up(hwnd, key);
}

class Keyboard : public ::testing::Test {
protected:
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 100, 100);
};

TEST_F(Keyboard, LettersAndDigitsFollowShift)
{
    press(hwnd, 'A');
    press(hwnd, '1');
    headless::key_down(hwnd, VK_SHIFT);
    press(hwnd, 'A');
    press(hwnd, '1');
    headless::key_up(hwnd, VK_SHIFT);
    press(hwnd, 'Z');
    EXPECT_EQ(characters_typed(), (std::vector<WPARAM>{'a', '1', 'A', '!', 'z'}));
}

TEST_F(Keyboard, CtrlWithALetterGivesItsControlCode)
{
    headless::key_down(hwnd, VK_CONTROL);
    press(hwnd, 'A');
    press(hwnd, 'Z');
    press(hwnd, '5');  // no character
    headless::key_up(hwnd, VK_CONTROL);
    press(hwnd, 'A');
    EXPECT_EQ(characters_typed(), (std::vector<WPARAM>{1, 26, 'a'}));
}

TEST_F(Keyboard, EditingKeysTypeTheirControlCharacters)
{
    for (int key : {VK_SPACE, VK_RETURN, VK_BACK, VK_TAB, VK_ESCAPE, VK_LEFT, VK_DELETE, VK_F10, VK_SHIFT}) {
        press(hwnd, key);
    }
    EXPECT_EQ(characters_typed(), (std::vector<WPARAM>{' ', 13, 8, 9, 27}));
}

TEST_F(Keyboard, AltKeysAreSystemKeysAndTypeNothing)
{
    headless::key_down(hwnd, VK_MENU);
    headless::key_down(hwnd, 'X');
    std::vector<MSG> taken = pump();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[1].message, UINT{WM_SYSKEYDOWN});
    EXPECT_NE(taken[1].lParam & (1 << 29), 0);
    headless::key_up(hwnd, 'X');
    headless::key_up(hwnd, VK_MENU);
    pump();
}

TEST_F(Keyboard, HeldKeysRepeatWithTheirPreviousStateBit)
{
    headless::key_down(hwnd, 'R');
    headless::key_down(hwnd, 'R');
    headless::key_up(hwnd, 'R');
    std::vector<MSG> keys;
    for (const MSG &msg : pump()) {
        if (msg.message != WM_CHAR) {
            keys.push_back(msg);
        }
    }
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].lParam & (1 << 30), 0);
    EXPECT_NE(keys[1].lParam & (1 << 30), 0);
    EXPECT_EQ(keys[2].message, UINT{WM_KEYUP});
    EXPECT_NE(static_cast<DWORD>(keys[2].lParam) & 0x80000000u, 0u);
    EXPECT_EQ(keys[0].lParam & 0xFFFF, 1);  // repeat count
}

TEST_F(Keyboard, EveryTypedByteArrivesExactly)
{
    std::vector<WPARAM> expected;
    for (int character = 0; character < 256; ++character) {
        headless::type_char(hwnd, static_cast<unsigned char>(character));
        expected.push_back(static_cast<WPARAM>(character));
    }
    EXPECT_EQ(characters_typed(), expected);
}

TEST_F(Keyboard, TypedCharactersIgnoreHeldModifiersAndUseTheLetterKey)
{
    headless::key_down(hwnd, VK_SHIFT);
    headless::type_char(hwnd, 'q');
    headless::type_char(hwnd, 233);
    headless::key_up(hwnd, VK_SHIFT);
    std::vector<MSG> taken = pump();
    std::vector<WPARAM> characters;
    for (const MSG &msg : taken) {
        if (msg.message == WM_CHAR) {
            characters.push_back(msg.wParam);
        }
    }
    EXPECT_EQ(characters, (std::vector<WPARAM>{'q', 233}));
    EXPECT_EQ(taken[1].message, UINT{WM_KEYDOWN});
    EXPECT_EQ(taken[1].wParam, WPARAM{'Q'});
}

TEST_F(Keyboard, OnlyKeyDownsAreTranslated)
{
    MSG up{hwnd, WM_KEYUP, 'A', 0, 0, {0, 0}};
    MSG system{hwnd, WM_SYSKEYDOWN, 'A', 0, 0, {0, 0}};
    MSG gone{reinterpret_cast<HWND>(0x99), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMessage(&up));
    EXPECT_FALSE(TranslateMessage(&system));
    EXPECT_FALSE(TranslateMessage(&gone));
    EXPECT_FALSE(TranslateMessage(nullptr));
    EXPECT_TRUE(pump().empty());
}

TEST_F(Keyboard, OutOfRangeKeysAreIgnored)
{
    headless::key_down(hwnd, -1);
    headless::key_down(hwnd, 256);
    headless::key_up(hwnd, 100000);
    EXPECT_TRUE(pump().empty());
}

}  // namespace
