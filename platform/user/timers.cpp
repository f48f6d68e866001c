// Timers: WM_TIMER comes only when a timer is due and nothing else is ready,
// and ticks missed while the program was busy coalesce into one.
#include "display/display_driver.h"
#include "user/window_internals.h"

#include <algorithm>

namespace qz370::platform {

namespace {

// Win32 raises shorter periods to this, and lowers longer ones to the maximum.
constexpr UINT SHORTEST_PERIOD_MS = 10;
constexpr UINT LONGEST_PERIOD_MS = 0x7FFFFFFF;
constexpr int64_t NO_TIMER = -1;

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    int64_t due;
    TIMERPROC proc;
};

std::vector<Timer> timers;
UINT_PTR next_thread_timer_id = 1;

int64_t now() { return display_driver().now_ms(); }

Timer *find_timer(HWND hwnd, UINT_PTR id)
{
    auto found = std::find_if(timers.begin(), timers.end(),
                              [&](const Timer &timer) { return timer.hwnd == hwnd && timer.id == id; });
    return found == timers.end() ? nullptr : &*found;
}

// Without a window the id is the system's choice, unless it names a timer
// already set that way.
UINT_PTR thread_timer_id(UINT_PTR requested)
{
    if (requested != 0 && find_timer(nullptr, requested) != nullptr) {
        return requested;
    }
    while (next_thread_timer_id == 0 || find_timer(nullptr, next_thread_timer_id) != nullptr) {
        ++next_thread_timer_id;
    }
    return next_thread_timer_id++;
}

// The first tick after now on the timer's own beat.
void rearm(Timer &timer, int64_t time)
{
    int64_t periods = (time - timer.due) / timer.period + 1;
    timer.due += periods * timer.period;
}

Timer *earliest_expired(HWND filter)
{
    Timer *earliest = nullptr;
    int64_t time = now();
    for (Timer &timer : timers) {
        if (timer.due <= time && matches_window_filter(timer.hwnd, filter) &&
            (earliest == nullptr || timer.due < earliest->due)) {
            earliest = &timer;
        }
    }
    return earliest;
}

}  // namespace

bool take_expired_timer(HWND filter, bool remove, MSG *msg)
{
    Timer *timer = earliest_expired(filter);
    if (timer == nullptr) {
        return false;
    }
    int64_t time = now();
    *msg = MSG{timer->hwnd, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->proc), static_cast<DWORD>(time),
               POINT{0, 0}};
    if (remove) {
        rearm(*timer, time);
    }
    return true;
}

bool any_timer_expired()
{
    return earliest_expired(nullptr) != nullptr;
}

int64_t next_timer_due_for(HWND filter)
{
    int64_t earliest = NO_TIMER;
    for (const Timer &timer : timers) {
        if (matches_window_filter(timer.hwnd, filter) && (earliest == NO_TIMER || timer.due < earliest)) {
            earliest = timer.due;
        }
    }
    return earliest;
}

int64_t next_timer_due()
{
    return next_timer_due_for(nullptr);
}

void kill_timers_of(HWND hwnd)
{
    std::erase_if(timers, [&](const Timer &timer) { return timer.hwnd == hwnd; });
}

TIMERPROC timer_callback(HWND hwnd, UINT_PTR id)
{
    Timer *timer = find_timer(hwnd, id);
    return timer == nullptr ? nullptr : timer->proc;
}

}  // namespace qz370::platform

using namespace qz370::platform;

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc)
{
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        return 0;
    }
    if (hwnd == nullptr) {
        id = thread_timer_id(id);
    }
    UINT period = std::clamp(elapse_ms, SHORTEST_PERIOD_MS, LONGEST_PERIOD_MS);
    int64_t due = now() + period;
    if (Timer *timer = find_timer(hwnd, id)) {
        *timer = Timer{hwnd, id, period, due, proc};
    } else {
        timers.push_back(Timer{hwnd, id, period, due, proc});
    }
    // A window's timer reports success with a non-zero result even for id 0.
    return hwnd != nullptr && id == 0 ? TRUE : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id)
{
    Timer *timer = find_timer(hwnd, id);
    if (timer == nullptr) {
        return FALSE;
    }
    timers.erase(timers.begin() + (timer - timers.data()));
    return TRUE;
}
