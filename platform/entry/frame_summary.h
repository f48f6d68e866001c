// QZ370_FRAMES=1 on the headless display: as the program ends, one line on
// standard error with the frames its graphics window showed and the hash of
// the picture it ends with, so that runs of one script, here and compiled
// for the web under node, can be timed and told to have played alike.
#pragma once

namespace qz370::entry {

// True for QZ370_FRAMES=1; any other value than 0 or none is named in a
// one-line warning and ignored.
bool frame_summary_requested(const char *program_name);

// After the display's other hooks are set: the count passes each frame on.
void summarise_frames_at_exit(const char *program_name);

}  // namespace qz370::entry
