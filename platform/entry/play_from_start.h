// QZ370_PLAY=1: QZ370.SCR played from the program's first wait, as Ctrl+P
// would, and the run ended as Quit would once playback stops: a recorded run
// shown on a screen, as qz370-replay shows it without one.
#pragma once

namespace qz370::entry {

// True for QZ370_PLAY=1; any other value than 0 or none is named in a
// one-line warning and ignored.
bool playing_requested(const char *program_name);

void play_from_first_wait();

}  // namespace qz370::entry
