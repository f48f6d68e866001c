#include "desktop_fixture.h"
#include "display/sdl/key_codes.h"

using namespace desktop_test;
using qz370::fonts::cp1252_from_unicode;
using qz370::sdl::first_code_point;
using qz370::sdl::NO_CHARACTER;
using qz370::sdl::virtual_key_of;

namespace {

constexpr LPARAM KEY_WAS_DOWN = LPARAM{1} << 30;
constexpr LPARAM KEY_RELEASED = LPARAM{1} << 31;

std::vector<MSG> only(const std::vector<MSG> &messages, UINT kind)
{
    std::vector<MSG> found;
    for (const MSG &msg : messages) {
        if (msg.message == kind) {
            found.push_back(msg);
        }
    }
    return found;
}

}  // namespace

TEST(KeyCodes, LettersGiveTheirUpperCaseCodeWhateverTheModifiers)
{
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_A, SDLK_a, KMOD_NONE, 0}), 'A');
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_Q, SDLK_q, KMOD_SHIFT | KMOD_CAPS, 0}), 'Q');
    // A layout whose "A" key types a Cyrillic letter still has an "A" key.
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_F, 0x0430, KMOD_NONE, 0}), 'F');
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_0, SDLK_0, KMOD_NONE, 0}), '0');
}

TEST(KeyCodes, ModifiersAndNamedKeys)
{
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_NONE, 0}), VK_CONTROL);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_NONE, 0}), VK_CONTROL);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KMOD_NONE, 0}), VK_SHIFT);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_LALT, SDLK_LALT, KMOD_NONE, 0}), VK_MENU);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_F10, SDLK_F10, KMOD_NONE, 0}), VK_F10);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE, 0}), VK_RETURN);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE, 0}), VK_UP);
    EXPECT_EQ(virtual_key_of(SDL_Keysym{SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, 0}), VK_BACK);
}

TEST(KeyCodes, TypedTextBecomesWindows1252)
{
    auto byte_of = [](const char *utf8) { return cp1252_from_unicode(first_code_point(utf8)); };
    EXPECT_EQ(byte_of("a"), 'a');
    EXPECT_EQ(byte_of("\xC3\xA9"), 0xE9);      // é
    EXPECT_EQ(byte_of("\xE2\x82\xAC"), 0x80);  // the euro sign
    EXPECT_EQ(byte_of("\xC2\xAE"), 174);       // the registered sign
    EXPECT_EQ(byte_of("\xC4\x81"), NO_CHARACTER);  // ā: not in the code page
    EXPECT_EQ(byte_of("\xE2\x82"), NO_CHARACTER);  // cut off inside the character
    EXPECT_EQ(byte_of("\x82"), NO_CHARACTER);      // a stray continuation byte
    EXPECT_EQ(byte_of(""), NO_CHARACTER);
}

TEST_F(DesktopDisplay, ALetterGivesKeyDownTheLayoutsCharacterAndOneKeyUp)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_SHIFT);
    push_text(hwnd, "A");
    push_key(hwnd, SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, KMOD_SHIFT);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(kinds_of(messages), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(messages[0].wParam, WPARAM{'A'});
    EXPECT_EQ(messages[0].hwnd, hwnd);
    EXPECT_EQ(messages[1].wParam, WPARAM{'A'});
}

TEST_F(DesktopDisplay, TheCharacterTheLayoutTypesReachesTheProgram)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_2, SDL_SCANCODE_2);
    push_text(hwnd, "\xC3\xA9");
    push_key(hwnd, SDL_KEYUP, SDLK_2, SDL_SCANCODE_2);
    push_text(hwnd, "\xE2\x82\xAC");  // from an input method, with no key of its own
    std::vector<MSG> chars = only(take_messages(), WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, WPARAM{0xE9});
    EXPECT_EQ(chars[1].wParam, WPARAM{0x80});
}

// SDL lets go of the keys held as the window loses the focus; Windows does not.
TEST_F(DesktopDisplay, KeysLetGoAsTheFocusLeavesStayDown)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    push_key(hwnd, SDL_KEYUP, SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    push_window_event(hwnd, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(kinds_of(take_messages()), std::vector<UINT>{WM_KEYDOWN});
}

TEST_F(DesktopDisplay, CtrlWithALetterGivesTheControlCode)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL);
    push_key(hwnd, SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_RCTRL);
    push_text(hwnd, "a");  // not what Ctrl+A types
    push_key(hwnd, SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, KMOD_RCTRL);
    push_key(hwnd, SDL_KEYUP, SDLK_RCTRL, SDL_SCANCODE_RCTRL);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(kinds_of(messages), (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYUP}));
    EXPECT_EQ(messages[0].wParam, WPARAM{VK_CONTROL});
    EXPECT_EQ(messages[1].wParam, WPARAM{'A'});
    EXPECT_EQ(messages[2].wParam, WPARAM{1});
    EXPECT_EQ(messages[4].wParam, WPARAM{VK_CONTROL});
    EXPECT_EQ(messages[4].lParam & (KEY_WAS_DOWN | KEY_RELEASED), KEY_WAS_DOWN | KEY_RELEASED);
}

TEST_F(DesktopDisplay, AltAndF10GiveSystemKeysThatTypeNothing)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    push_key(hwnd, SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_LALT);
    push_text(hwnd, "x");
    push_key(hwnd, SDL_KEYUP, SDLK_x, SDL_SCANCODE_X, KMOD_LALT);
    push_key(hwnd, SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT);
    push_key(hwnd, SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10);
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(kinds_of(messages),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP, WM_SYSKEYDOWN}));
    EXPECT_EQ(messages[1].wParam, WPARAM{'X'});
    EXPECT_EQ(messages[4].wParam, WPARAM{VK_F10});
}

TEST_F(DesktopDisplay, AltGrTypesTheLayoutsThirdCharacterButAltAloneTypesNothing)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_RALT);
    push_text(hwnd, "@");
    push_key(hwnd, SDL_KEYDOWN, SDLK_r, SDL_SCANCODE_R, KMOD_RALT);
    push_text(hwnd, "r");
    std::vector<MSG> messages = take_messages();
    ASSERT_EQ(only(messages, WM_CHAR).size(), 1u);
    EXPECT_EQ(only(messages, WM_CHAR)[0].wParam, WPARAM{'@'});
    ASSERT_EQ(only(messages, WM_SYSKEYDOWN).size(), 1u);
    EXPECT_EQ(only(messages, WM_SYSKEYDOWN)[0].wParam, WPARAM{'R'});
}

TEST_F(DesktopDisplay, EnterAndEscapeTypeTheirControlCharacters)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN);
    push_key(hwnd, SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    std::vector<MSG> chars = only(take_messages(), WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, WPARAM{VK_RETURN});
    EXPECT_EQ(chars[1].wParam, WPARAM{VK_ESCAPE});
}

TEST_F(DesktopDisplay, AnAutoRepeatedKeyDownSaysTheKeyWasDown)
{
    HWND hwnd = open_resizable_window();
    take_messages();
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = sdl_id_of(hwnd);
    event.key.state = SDL_PRESSED;
    event.key.keysym = SDL_Keysym{SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL, 0};
    SDL_PushEvent(&event);
    event.key.repeat = 1;
    SDL_PushEvent(&event);
    std::vector<MSG> downs = only(take_messages(), WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].lParam & KEY_WAS_DOWN, 0);
    EXPECT_EQ(downs[1].lParam & KEY_WAS_DOWN, KEY_WAS_DOWN);
}

TEST_F(DesktopDisplay, KeysGoToTheFocusedChildOfTheWindowTypedInto)
{
    HWND hwnd = open_resizable_window();
    HWND child = CreateWindowExA(0, "DesktopTest", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, hwnd, nullptr,
                                 nullptr, nullptr);
    SetFocus(child);
    take_messages();
    push_key(hwnd, SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    std::vector<MSG> messages = take_messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].hwnd, child);
}
