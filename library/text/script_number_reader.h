// The numbers of a script line. Each is found by skipping to its first
// character and taken as a token of at most 11 characters, so the reader never
// looks past the line's terminator or the token's buffer.
#pragma once

#include <cstdint>

constexpr int SCRIPT_NUMBER_TOKEN = 12;  // 11 characters and the terminator: any 32-bit value with its sign

struct ScriptNumber {
    int32_t value;    // 0 when the line holds no number from the start on
    int next;         // index just past the last character taken
};

// A signed number: skips to the next digit or minus sign. Values beyond the
// 32-bit range saturate, as the conversion does where long has 32 bits.
ScriptNumber read_signed_number(const char *line, int start);

// A count: skips to the next digit; a minus sign is skipped like any other
// character, so the value is never negative.
ScriptNumber read_count(const char *line, int start);
