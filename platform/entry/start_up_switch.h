// The start-up's on/off variables (QZ370_PLAY, QZ370_RECORD): 1 switches on,
// 0 or none leaves off, and anything else is named in a one-line warning and
// ignored, so that a typing slip is not taken for either.
#pragma once

namespace qz370::entry {

// what_one_does completes the warning: "1 <what_one_does>".
bool switched_on_at_start(const char *variable, const char *program_name, const char *what_one_does);

}  // namespace qz370::entry
