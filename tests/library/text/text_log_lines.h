// Reading the text log's ring back, for the tests of the ring.
#pragma once

#include <string>
#include <vector>

#include "library_state.h"

namespace text_log_test {

inline std::string stored_line(int slot)
{
    HGLOBAL block = text_log.lines[slot];
    std::string line(static_cast<const char *>(GlobalLock(block)));
    GlobalUnlock(block);
    return line;
}

inline void print_numbered_lines(int count)
{
    for (int i = 1; i <= count; ++i) {
        QZ370_print("line %d\n", i);
    }
}

inline std::vector<std::string> &observed()
{
    static std::vector<std::string> lines;
    return lines;
}

inline void observe(const char *line)
{
    observed().push_back(line);
}

}  // namespace text_log_test
