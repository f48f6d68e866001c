// Characters from keys: TranslateMessage with a US layout, Shift and Ctrl as
// the key messages retrieved so far left them, and the key messages a display
// posts to type one given character.
#include "user/window_internals.h"

namespace qz370::platform {

namespace {

// A key-down posted to type one given character carries the character where
// Win32 puts the scan code, and this otherwise unused bit.
constexpr DWORD TYPED_CHARACTER_FLAG = 1u << 25;
constexpr int CHARACTER_SHIFT = 16;

constexpr WPARAM VK_LEFT_SHIFT = 0xA0;
constexpr WPARAM VK_RIGHT_SHIFT = 0xA1;
constexpr WPARAM VK_LEFT_CONTROL = 0xA2;
constexpr WPARAM VK_RIGHT_CONTROL = 0xA3;
// Win32's key for characters that come with no key of their own.
constexpr WPARAM VK_CHARACTER_PACKET = 0xE7;

constexpr int NO_CHARACTER = -1;
constexpr int CONTROL_CODE_OFFSET = 'A' - 1;  // Ctrl+A types 1
constexpr int LOWER_CASE_OFFSET = 'a' - 'A';
constexpr char SHIFTED_DIGITS[] = ")!@#$%^&*(";
constexpr int LINE_FEED = 10;
constexpr int DELETE_CHARACTER = 127;

bool shift_down = false;
bool ctrl_down = false;

bool is_shift(WPARAM key) { return key == VK_SHIFT || key == VK_LEFT_SHIFT || key == VK_RIGHT_SHIFT; }
bool is_control(WPARAM key) { return key == VK_CONTROL || key == VK_LEFT_CONTROL || key == VK_RIGHT_CONTROL; }

int character_of_key(WPARAM key)
{
    if (key >= 'A' && key <= 'Z') {
        if (ctrl_down) {
            return static_cast<int>(key) - CONTROL_CODE_OFFSET;
        }
        return shift_down ? static_cast<int>(key) : static_cast<int>(key) + LOWER_CASE_OFFSET;
    }
    if (key >= '0' && key <= '9') {
        if (ctrl_down) {
            return NO_CHARACTER;
        }
        return shift_down ? SHIFTED_DIGITS[key - '0'] : static_cast<int>(key);
    }
    switch (key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return ctrl_down ? LINE_FEED : VK_RETURN;
    case VK_BACK:
        return ctrl_down ? DELETE_CHARACTER : VK_BACK;
    case VK_TAB:
        return ctrl_down ? NO_CHARACTER : VK_TAB;
    case VK_ESCAPE:
        return VK_ESCAPE;
    default:
        return NO_CHARACTER;
    }
}

WPARAM key_that_types(unsigned char character)
{
    if (character >= 'a' && character <= 'z') {
        return character - LOWER_CASE_OFFSET;
    }
    bool own_key = (character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9') ||
                   character == ' ' || character == VK_RETURN || character == VK_BACK || character == VK_TAB ||
                   character == VK_ESCAPE;
    return own_key ? character : VK_CHARACTER_PACKET;
}

}  // namespace

void track_modifier_keys(const MSG &msg)
{
    bool pressed = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    bool released = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!pressed && !released) {
        return;
    }
    if (is_shift(msg.wParam)) {
        shift_down = pressed;
    } else if (is_control(msg.wParam)) {
        ctrl_down = pressed;
    }
}

void post_typed_character(HWND hwnd, unsigned char character)
{
    WPARAM key = key_that_types(character);
    DWORD down = REPEAT_ONCE | TYPED_CHARACTER_FLAG | (DWORD{character} << CHARACTER_SHIFT);
    post_input(hwnd, WM_KEYDOWN, key, static_cast<LPARAM>(down));
    post_input(hwnd, WM_KEYUP, key, static_cast<LPARAM>(down | KEY_WAS_DOWN | KEY_RELEASED));
}

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI TranslateMessage(const MSG *msg)
{
    if (msg == nullptr || msg->message != WM_KEYDOWN || !IsWindow(msg->hwnd)) {
        return FALSE;
    }
    DWORD key_data = static_cast<DWORD>(msg->lParam);
    int character = (key_data & TYPED_CHARACTER_FLAG) != 0 ? static_cast<int>((key_data >> CHARACTER_SHIFT) & 0xFF)
                                                           : character_of_key(msg->wParam);
    if (character == NO_CHARACTER) {
        return FALSE;
    }
    post_front(MSG{msg->hwnd, WM_CHAR, static_cast<WPARAM>(character), msg->lParam, message_time(), msg->pt});
    return TRUE;
}
