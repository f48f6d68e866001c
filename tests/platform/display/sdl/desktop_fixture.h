// The desktop display on SDL's off-screen video driver: real SDL windows with
// no screen, and SDL events pushed as the user's input.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <windows.h>

#include <vector>

#include "display/sdl/screen_windows.h"
#include "display/sdl/sdl_display.h"
#include "platform/window_test_support.h"
#include "user/window_system.h"

namespace desktop_test {

using window_test::RUN_ANIMATE;
using window_test::RUN_HALT;
using window_test::RUN_LOGGING;
using window_test::RUN_VERSION;

// Messages the test window procedure saw, in order.
inline std::vector<MSG> &received()
{
    static std::vector<MSG> messages;
    return messages;
}

inline LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    received().push_back(MSG{hwnd, message, wParam, lParam, 0, POINT{0, 0}});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DesktopDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        ASSERT_TRUE(qz370::sdl::use());
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = recording_proc;
        window_class.lpszClassName = "DesktopTest";
        window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&window_class);
    }

    void TearDown() override
    {
        for (HWND hwnd : qz370::platform::top_level_windows()) {
            DestroyWindow(hwnd);
        }
        received().clear();
        SDL_Quit();
    }

    // A captioned 601 by 540 window at (0, 0) with a menu like the Run menu.
    HWND open_menu_window()
    {
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(window_test::run_like_popup()), "&Run");
        HWND hwnd = CreateWindowExA(0, "DesktopTest", "Menu window", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540,
                                    nullptr, bar, nullptr, nullptr);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        return hwnd;
    }

    HWND open_resizable_window()
    {
        HWND hwnd = CreateWindowExA(0, "DesktopTest", "Plain window", WS_OVERLAPPEDWINDOW, 0, 513, 1024, 256,
                                    nullptr, nullptr, nullptr, nullptr);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        return hwnd;
    }

    static Uint32 sdl_id_of(HWND hwnd) { return SDL_GetWindowID(qz370::sdl::screen_window_of(hwnd)->window); }

    static void push_key(HWND hwnd, Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE)
    {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = sdl_id_of(hwnd);
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym = SDL_Keysym{scancode, sym, modifiers, 0};
        SDL_PushEvent(&event);
    }

    static void push_text(HWND hwnd, const char *utf8)
    {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = sdl_id_of(hwnd);
        SDL_strlcpy(event.text.text, utf8, sizeof event.text.text);
        SDL_PushEvent(&event);
    }

    static void push_button(HWND hwnd, Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = sdl_id_of(hwnd);
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }

    static void push_window_event(HWND hwnd, Uint8 what, int data1 = 0, int data2 = 0)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = sdl_id_of(hwnd);
        event.window.event = what;
        event.window.data1 = data1;
        event.window.data2 = data2;
        SDL_PushEvent(&event);
    }

    // Everything queued now except paint and timer messages, which are
    // dispatched; key-downs are translated as a program's loop would.
    static std::vector<MSG> take_messages()
    {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_PAINT || msg.message == WM_TIMER) {
                DispatchMessageA(&msg);
                continue;
            }
            TranslateMessage(&msg);
            taken.push_back(msg);
        }
        return taken;
    }

    static std::vector<UINT> kinds_of(const std::vector<MSG> &messages)
    {
        std::vector<UINT> kinds;
        for (const MSG &msg : messages) {
            kinds.push_back(msg.message);
        }
        return kinds;
    }
};

}  // namespace desktop_test
