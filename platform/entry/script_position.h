// Where the program's reader stands in its script, as any outside tool could
// tell: once playback stops, or a dialog's answer is not the next line, the
// library settles the open file's offset where its reader stands.
#pragma once

#include <cstdint>

namespace qz370::entry {

// The offset of the open script file in the working directory; -1 while the
// program has it closed.
int64_t script_position();

// A descriptor of its own on the open script file, sharing the reader's
// offset and outliving the program's closing of it (the library settles the
// offset as it closes); -1 while the program has it closed.
int watch_script_reader();

// The offset of an open descriptor; -1 if it has none.
int64_t offset_of(int fd);

}  // namespace qz370::entry
