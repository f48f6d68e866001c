#include "entry/play_from_start.h"

#include "entry/library_windows.h"
#include "entry/start_up_switch.h"
#include "entry/scripted_run.h"
#include "user/start_up_hooks.h"

namespace qz370::entry {

namespace {

constexpr const char *PLAY_VARIABLE = "QZ370_PLAY";

bool playback_started = false;

// Called at every idle moment until it is done. Quit is chosen once: the
// program on a screen is not held to it as a replay's is.
bool play_then_quit()
{
    switch (scripted_run_step(playback_started)) {
    case ScriptedRunStep::START_PLAYBACK:
        playback_started = choose_run_command(RUN_PLAYBACK);
        return false;
    case ScriptedRunStep::PLAYING:
        return false;
    case ScriptedRunStep::QUIT:
        return choose_run_command(RUN_QUIT);
    }
    return false;
}

}  // namespace

bool playing_requested(const char *program_name)
{
    return switched_on_at_start(PLAY_VARIABLE, program_name, "plays QZ370.SCR from the start");
}

void play_from_first_wait()
{
    platform::set_first_idle_action(play_then_quit);
}

}  // namespace qz370::entry
