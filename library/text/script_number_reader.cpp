// Reading the numbers of a script line.
#include "script_number_reader.h"

#include <cstdlib>

namespace {

constexpr int TOKEN_CHARACTERS = SCRIPT_NUMBER_TOKEN - 1;

bool is_decimal_digit(char c)
{
    return c >= '0' && c <= '9';
}

bool belongs_to_number(char c, bool sign_allowed)
{
    return is_decimal_digit(c) || (sign_allowed && c == '-');
}

// The standard decimal-to-long conversion, kept to 32 bits whatever the width of
// long. Eleven characters never overflow the 64-bit conversion.
int32_t convert_token(const char *token)
{
    const long long value = std::strtoll(token, nullptr, 10);
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

ScriptNumber read_number(const char *line, int start, bool sign_allowed)
{
    int position = start;
    while (line[position] != '\0' && !belongs_to_number(line[position], sign_allowed)) {
        ++position;
    }
    char token[SCRIPT_NUMBER_TOKEN];
    int length = 0;
    while (length < TOKEN_CHARACTERS && belongs_to_number(line[position], sign_allowed)) {
        token[length++] = line[position++];
    }
    token[length] = '\0';
    return ScriptNumber{convert_token(token), position};
}

}  // namespace

ScriptNumber read_signed_number(const char *line, int start)
{
    return read_number(line, start, true);
}

ScriptNumber read_count(const char *line, int start)
{
    return read_number(line, start, false);
}
