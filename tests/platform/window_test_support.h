// A window class that records every message its windows receive, for tests of
// the window system.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "headless.h"
#include "user/window_system.h"

namespace window_test {

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Received> received;
// Lets a test answer a message itself; returning false hands it to DefWindowProcA.
inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *)> answer;

inline LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(Received{hwnd, message, wParam, lParam});
    LRESULT result = 0;
    if (answer && answer(hwnd, message, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

constexpr const char *RECORDING_CLASS = "RecordingClass";
constexpr const char *REDRAWING_CLASS = "RedrawingClass";
constexpr COLORREF CLASS_BACKGROUND = RGB(10, 200, 30);
constexpr uint32_t CLASS_BACKGROUND_PIXEL = 0x0AC81E;

inline void register_classes()
{
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = recording_proc;
    window_class.hbrBackground = CreateSolidBrush(CLASS_BACKGROUND);
    window_class.lpszClassName = RECORDING_CLASS;
    RegisterClassA(&window_class);
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpszClassName = REDRAWING_CLASS;
    RegisterClassA(&window_class);
}

inline HWND create_window(DWORD style, int x, int y, int width, int height, const char *class_name = RECORDING_CLASS)
{
    register_classes();
    return CreateWindowExA(0, class_name, "test", style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
}

inline HWND create_child(HWND parent, DWORD style, int x, int y, int width, int height)
{
    return CreateWindowExA(0, RECORDING_CLASS, "child", WS_CHILD | style, x, y, width, height, parent, nullptr,
                           nullptr, nullptr);
}

inline std::vector<UINT> messages_to(HWND hwnd)
{
    std::vector<UINT> result;
    for (const Received &r : received) {
        if (r.hwnd == hwnd) {
            result.push_back(r.message);
        }
    }
    return result;
}

inline int count_of(HWND hwnd, UINT message)
{
    auto list = messages_to(hwnd);
    return static_cast<int>(std::count(list.begin(), list.end(), message));
}

// Takes and dispatches every message ready now, the way a program's loop
// does; returns the messages taken, in order.
inline std::vector<MSG> pump()
{
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(msg);
        if (msg.message == WM_QUIT) {
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return taken;
}

// A pop-up laid out as the library's Run menu is: two commands, a separator,
// a checked item, a separator and a grayed line.
constexpr UINT RUN_ANIMATE = 1;
constexpr UINT RUN_HALT = 2;
constexpr UINT RUN_LOGGING = 4;
constexpr UINT RUN_VERSION = 9;

inline HMENU run_like_popup()
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, RUN_ANIMATE, "&Animate\tCtrl+A");
    AppendMenuA(popup, MF_STRING, RUN_HALT, "&Halt animation\tCtrl+H");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_CHECKED, RUN_LOGGING, "&Logging\tCtrl+L");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_GRAYED, RUN_VERSION, "Version line");
    return popup;
}

// The ids of the WM_COMMAND messages among them.
inline std::vector<WPARAM> commands_in(const std::vector<MSG> &messages)
{
    std::vector<WPARAM> commands;
    for (const MSG &msg : messages) {
        if (msg.message == WM_COMMAND) {
            commands.push_back(msg.wParam);
        }
    }
    return commands;
}

inline uint32_t client_pixel(HWND hwnd, int x, int y)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = qz370::headless::client_pixels(hwnd, &width, &height);
    return pixels[y * width + x];
}

}  // namespace window_test
