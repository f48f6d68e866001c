// The program's side of a replay run by qz370-replay: playing the script from
// the first wait, ending the run once playback stops, and reporting lines and
// frames (replay_protocol.h).
#pragma once

namespace qz370::entry {

bool replay_requested();

// Sets up the headless display to play and report. False, with a one-line
// message, if the request cannot be followed.
bool start_replay(const char *program_name);

}  // namespace qz370::entry
