// Where the program's reader stands in its script, as any outside tool could
// tell: the library reads QZ370.SCR unbuffered, so the open file's offset is
// the reader's own.
#pragma once

#include <cstdint>

namespace qz370::entry {

// The offset of the open script file in the working directory; -1 while the
// program has it closed.
int64_t script_position();

}  // namespace qz370::entry
