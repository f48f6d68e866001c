#include "entry/play_from_start.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry/library_windows.h"
#include "user/start_up_hooks.h"

namespace qz370::entry {

namespace {

constexpr const char *PLAY_VARIABLE = "QZ370_PLAY";

bool playback_started = false;

// Called at every idle moment until it is done: the first starts playback,
// the first after playback stopped chooses Quit.
bool play_then_quit()
{
    if (graphics_window() == nullptr) {
        return false;
    }
    if (!playback_started) {
        playback_started = choose_run_command(RUN_PLAYBACK);
        return false;
    }
    if (run_item_checked(RUN_PLAYBACK)) {
        return false;
    }
    return choose_run_command(RUN_QUIT);
}

}  // namespace

bool playing_requested(const char *program_name)
{
    const char *value = std::getenv(PLAY_VARIABLE);
    if (value == nullptr || *value == '\0' || std::strcmp(value, "0") == 0) {
        return false;
    }
    if (std::strcmp(value, "1") == 0) {
        return true;
    }
    std::fprintf(stderr, "%s: %s=%s ignored (1 plays QZ370.SCR from the start)\n", program_name, PLAY_VARIABLE,
                 value);
    return false;
}

void play_from_first_wait()
{
    platform::set_first_idle_action(play_then_quit);
}

}  // namespace qz370::entry
