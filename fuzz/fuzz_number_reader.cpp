// Reads every number of an arbitrary line, signed and as a count, from a buffer
// of exactly the line's length, so that any read past the terminator is caught.
// Each read must move forward and stay within the line; a count is never
// negative.
#include "script_number_reader.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void read_all(const char *line, int length, ScriptNumber (*read)(const char *, int), bool count)
{
    int position = 0;
    while (line[position] != '\0') {
        const ScriptNumber number = read(line, position);
        if (number.next <= position || number.next > length || (count && number.value < 0)) {
            std::abort();
        }
        position = number.next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto line = std::make_unique<char[]>(size + 1);
    std::memcpy(line.get(), data, size);
    line[size] = '\0';
    const int length = static_cast<int>(std::strlen(line.get()));
    read_all(line.get(), length, read_signed_number, false);
    read_all(line.get(), length, read_count, true);
    return 0;
}
