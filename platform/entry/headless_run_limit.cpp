#include "entry/headless_run_limit.h"

#include <cstdio>

#include "entry/library_windows.h"
#include "headless.h"

namespace qz370::entry {

namespace {

constexpr int64_t MS_PER_SECOND = 1000;

const char *limited_program = "";
int64_t limit_start_ms = 0;
bool waited = false;       // the program has waited once
bool frame_shown = false;  // the graphics window showed a frame since
bool stopped_at_limit = false;

long long limit_seconds()
{
    return static_cast<long long>(HEADLESS_RUN_LIMIT_MS / MS_PER_SECOND);
}

// A program that showed nothing new after its first wait was waiting, not
// running: it is not said to have run for the limit's time.
void report_by_hand_limit()
{
    if (frame_shown) {
        std::fprintf(stderr,
                     "%s: stopped after %lld s on the headless display, where no input comes (replay a script "
                     "with qz370-replay --program)\n",
                     limited_program, limit_seconds());
    } else {
        std::fprintf(stderr,
                     "%s: waits for input on the headless display, where none comes; stopped (replay a script "
                     "with qz370-replay --program)\n",
                     limited_program);
    }
}

void report_replay_limit()
{
    std::fprintf(stderr, "%s: stopped after %lld s of the replay's clock without taking the script's next event\n",
                 limited_program, limit_seconds());
}

bool limit_reached(void (*report)())
{
    if (headless::now_ms() - limit_start_ms < HEADLESS_RUN_LIMIT_MS) {
        return false;
    }
    if (!stopped_at_limit) {
        stopped_at_limit = true;
        report();
    }
    insist_on_quit(limited_program);
    return true;
}

void quit_at_by_hand_limit()
{
    waited = true;
    limit_reached(report_by_hand_limit);
}

void note_frame(HWND window)
{
    if (waited && window == graphics_window()) {
        frame_shown = true;
    }
}

}  // namespace

void limit_headless_run(const char *program_name)
{
    limited_program = program_name;
    limit_start_ms = headless::now_ms();
    headless::set_idle_hook(quit_at_by_hand_limit);
    headless::set_present_hook(note_frame);
}

void start_replay_run_limit(const char *program_name)
{
    limited_program = program_name;
    limit_start_ms = headless::now_ms();
}

bool replay_run_limit_reached()
{
    return limit_reached(report_replay_limit);
}

int exit_code_after_run(int program_exit_code)
{
    return stopped_at_limit ? STUCK_EXIT_CODE : program_exit_code;
}

}  // namespace qz370::entry
