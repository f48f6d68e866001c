#include "entry/scripted_run.h"

#include "entry/library_windows.h"

namespace qz370::entry {

ScriptedRunStep scripted_run_step(bool playback_started)
{
    if (!playback_started) {
        return graphics_window() != nullptr ? ScriptedRunStep::START_PLAYBACK : ScriptedRunStep::QUIT;
    }
    return run_item_checked(RUN_PLAYBACK) ? ScriptedRunStep::PLAYING : ScriptedRunStep::QUIT;
}

}  // namespace qz370::entry
