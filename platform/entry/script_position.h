// Where the program's reader stands in its script, as any outside tool could
// tell: once playback stops, or a dialog's answer is not the next line, the
// library settles the open file's offset where its reader stands.
#pragma once

#include <cstdint>

namespace qz370::entry {

// The offset of the open script file in the working directory; -1 while the
// program has it closed.
int64_t script_position();

}  // namespace qz370::entry
