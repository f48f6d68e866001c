#include "entry/headless_run_limit.h"

#include <cstdio>

#include "entry/library_windows.h"
#include "headless.h"

namespace qz370::entry {

namespace {

constexpr int64_t MS_PER_SECOND = 1000;

const char *limited_program = "";
bool stopped_at_limit = false;

void quit_at_limit()
{
    if (headless::now_ms() < HEADLESS_RUN_LIMIT_MS) {
        return;
    }
    if (!stopped_at_limit) {
        stopped_at_limit = true;
        std::fprintf(stderr,
                     "%s: stopped after %lld s on the headless display, where no input comes (replay a script "
                     "with qz370-replay --program)\n",
                     limited_program, static_cast<long long>(HEADLESS_RUN_LIMIT_MS / MS_PER_SECOND));
    }
    insist_on_quit(limited_program);
}

}  // namespace

void limit_headless_run(const char *program_name)
{
    limited_program = program_name;
    headless::set_idle_hook(quit_at_limit);
}

int exit_code_after_run(int program_exit_code)
{
    return stopped_at_limit ? STUCK_EXIT_CODE : program_exit_code;
}

}  // namespace qz370::entry
