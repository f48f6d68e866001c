// QZ370_RECORD=1: recording switched on at the program's first wait, as
// Ctrl+R would, so that the script holds every event from the start and a
// replay, which plays from the first wait too, begins in the same state.
#pragma once

namespace qz370::entry {

// True for QZ370_RECORD=1; any other value than 0 or none is named in a
// one-line warning and ignored.
bool recording_requested(const char *program_name);

void record_from_first_wait();

}  // namespace qz370::entry
