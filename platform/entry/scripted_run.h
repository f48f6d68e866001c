// The rule a scripted run follows, whether qz370-replay drives it or
// QZ370_PLAY=1 asks for it: playback starts at the first wait that finds the
// graphics window, as Ctrl+P would, and once it has stopped, for whatever
// reason, the run ends as Quit would.
#pragma once

namespace qz370::entry {

enum class ScriptedRunStep { START_PLAYBACK, PLAYING, QUIT };

// What an idle moment calls for. Without a graphics window there is nothing
// to play into: a run that has none at its first wait is quit.
ScriptedRunStep scripted_run_step(bool playback_started);

}  // namespace qz370::entry
