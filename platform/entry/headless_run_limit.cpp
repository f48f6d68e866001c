#include "entry/headless_run_limit.h"

#include <cstdio>
#include <cstdlib>

#include "headless.h"

namespace qz370::entry {

namespace {

constexpr int LIMIT_EXIT_CODE = 3;
constexpr int64_t MS_PER_SECOND = 1000;

const char *limited_program = "";

void end_at_limit()
{
    if (headless::now_ms() < HEADLESS_RUN_LIMIT_MS) {
        return;
    }
    std::fprintf(stderr,
                 "%s: ended after %lld s on the headless display, where no input comes (replay a script with "
                 "qz370-replay --program)\n",
                 limited_program, static_cast<long long>(HEADLESS_RUN_LIMIT_MS / MS_PER_SECOND));
    std::exit(LIMIT_EXIT_CODE);
}

}  // namespace

void limit_headless_run(const char *program_name)
{
    limited_program = program_name;
    headless::set_idle_hook(end_at_limit);
}

}  // namespace qz370::entry
