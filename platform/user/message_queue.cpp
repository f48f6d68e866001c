// The thread's message queue: posted and input messages in one FIFO, then the
// quit request, then paint, then timer messages, as PeekMessageA hands them out.
#include "display/display_driver.h"
#include "user/start_up_hooks.h"
#include "user/window_internals.h"

#include <deque>

namespace qz370::platform {

namespace {

// Win32 refuses to post more than this many messages to one queue.
constexpr size_t POSTED_MESSAGE_LIMIT = 10000;
const HWND THREAD_MESSAGES_ONLY = reinterpret_cast<HWND>(-1);

std::deque<MSG> queue;
std::function<bool()> first_idle_action;
uint64_t posted_count = 0;
bool quit_pending = false;
int quit_code = 0;

MSG make_message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{hwnd, message, wParam, lParam, message_time(), POINT{0, 0}};
}

bool enqueue(const MSG &msg, bool at_front)
{
    if (queue.size() >= POSTED_MESSAGE_LIMIT) {
        return false;
    }
    if (at_front) {
        queue.push_front(msg);
    } else {
        queue.push_back(msg);
    }
    ++posted_count;
    return true;
}

bool in_range(UINT message, UINT filter_min, UINT filter_max)
{
    return (filter_min == 0 && filter_max == 0) || (filter_min <= message && message <= filter_max);
}

bool take_posted(MSG *msg, HWND filter, UINT filter_min, UINT filter_max, bool remove)
{
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (matches_window_filter(it->hwnd, filter) && in_range(it->message, filter_min, filter_max)) {
            *msg = *it;
            if (remove) {
                queue.erase(it);
                track_modifier_keys(*msg);
            }
            return true;
        }
    }
    return false;
}

bool take_quit(MSG *msg, HWND filter, bool remove)
{
    if (!quit_pending || (filter != nullptr && filter != THREAD_MESSAGES_ONLY)) {
        return false;
    }
    *msg = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(quit_code), 0);
    if (remove) {
        quit_pending = false;
    }
    return true;
}

bool take_paint(MSG *msg, HWND filter, UINT filter_min, UINT filter_max)
{
    if (!in_range(WM_PAINT, filter_min, filter_max) || filter == THREAD_MESSAGES_ONLY) {
        return false;
    }
    HWND hwnd = window_needing_paint(filter);
    if (hwnd == nullptr) {
        return false;
    }
    *msg = make_message(hwnd, WM_PAINT, 0, 0);
    return true;
}

void run_first_idle_action()
{
    if (first_idle_action && first_idle_action()) {
        first_idle_action = nullptr;
    }
}

}  // namespace

void set_first_idle_action(std::function<bool()> action)
{
    first_idle_action = std::move(action);
}

bool matches_window_filter(HWND hwnd, HWND filter)
{
    if (filter == nullptr) {
        return true;
    }
    if (filter == THREAD_MESSAGES_ONLY) {
        return hwnd == nullptr;
    }
    for (HWND current = hwnd; current != nullptr;) {
        if (current == filter) {
            return true;
        }
        Window *window = window_from(current);
        current = window == nullptr ? nullptr : window->parent;
    }
    return false;
}

void post_front(const MSG &msg)
{
    enqueue(msg, true);
}

uint64_t posted_message_count()
{
    return posted_count;
}

DWORD message_time()
{
    return static_cast<DWORD>(display_driver().now_ms());
}

void post_input(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A disabled window, or one under a modal dialog, takes no input.
    if (accepts_input(hwnd)) {
        enqueue(make_message(hwnd, message, wParam, lParam), false);
    }
}

bool message_ready()
{
    return !queue.empty() || quit_pending || window_needing_paint(nullptr) != nullptr || any_timer_expired();
}

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        return FALSE;
    }
    return enqueue(make_message(hwnd, msg, wParam, lParam), false);
}

void WINAPI PostQuitMessage(int exit_code)
{
    quit_pending = true;
    quit_code = exit_code;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove)
{
    display_driver().poll();
    free_buried_windows();
    if (msg == nullptr) {
        return FALSE;
    }
    bool removing = (remove & PM_REMOVE) != 0;
    if (take_posted(msg, hwnd, filter_min, filter_max, removing) || take_quit(msg, hwnd, removing) ||
        take_paint(msg, hwnd, filter_min, filter_max)) {
        return TRUE;
    }
    // Whether or not the action is done, what it posted comes before any timer.
    run_first_idle_action();
    if (take_posted(msg, hwnd, filter_min, filter_max, removing)) {
        return TRUE;
    }
    return in_range(WM_TIMER, filter_min, filter_max) && take_expired_timer(hwnd, removing, msg);
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max)
{
    if (msg == nullptr || (hwnd != nullptr && hwnd != THREAD_MESSAGES_ONLY && !IsWindow(hwnd))) {
        return -1;
    }
    while (!PeekMessageA(msg, hwnd, filter_min, filter_max, PM_REMOVE)) {
        display_driver().wait(next_timer_due_for(hwnd));
    }
    return msg->message != WM_QUIT;
}

// A program that waits here, halted with no timer, is idle too: the action
// may post what it waits for.
BOOL WINAPI WaitMessage(void)
{
    while (!message_ready()) {
        run_first_idle_action();
        if (!message_ready()) {
            display_driver().wait(next_timer_due());
        }
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *msg)
{
    if (msg == nullptr) {
        return 0;
    }
    if (msg->message == WM_TIMER) {
        TIMERPROC callback = timer_callback(msg->hwnd, msg->wParam);
        if (callback != nullptr && msg->lParam == reinterpret_cast<LPARAM>(callback)) {
            callback(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
            return 0;
        }
    }
    // Messages for windows that are gone, and thread messages, reach no procedure.
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD WINAPI GetTickCount(void)
{
    return message_time();
}
