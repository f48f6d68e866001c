// Every platform test starts from the window system a new process has: the
// tests share one process when the binary runs as a whole, and a hook or a
// window one test leaves behind would otherwise act in the next.
#include <gtest/gtest.h>

#include "display/display_driver.h"
#include "platform/window_test_support.h"

namespace {

namespace headless = qz370::headless;

void destroy_every_window()
{
    for (HWND hwnd : qz370::platform::top_level_windows()) {
        DestroyWindow(hwnd);
    }
}

// Takes every message queued, dispatching none.
void drop_queued_messages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// As a user letting go of every key. Taking the key messages from the queue
// is what ends Shift and Ctrl for the characters typed next.
void let_go_of_every_key()
{
    constexpr int KEY_COUNT = 256;
    HWND hwnd = window_test::create_window(0, 0, 0, 10, 10);
    for (int key = 1; key < KEY_COUNT; ++key) {
        headless::key_up(hwnd, key);
    }
    drop_queued_messages();
    DestroyWindow(hwnd);
}

class CleanSlate : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        // Hooks and answers first: they may hold the ended test's locals.
        headless::set_idle_hook(nullptr);
        headless::set_present_hook(nullptr);
        headless::set_debug_output_hook(nullptr);
        window_test::answer = nullptr;
        qz370::platform::set_display_driver(nullptr);
        headless::set_screen_size(headless::DEFAULT_SCREEN_WIDTH, headless::DEFAULT_SCREEN_HEIGHT);
        destroy_every_window();
        let_go_of_every_key();
        window_test::received.clear();
    }
};

const bool listening = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanSlate);
    return true;
}();

}  // namespace
