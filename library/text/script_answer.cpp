// The line-input dialog's answer as a script line: QZ370_GETS("text");
// Every byte of the text round-trips: a quote, a backslash and any byte
// outside printable ASCII are written as \" \\ and \xHH.
#include <cstring>

#include "library_state.h"
#include "script_stream.h"

namespace {

constexpr char ANSWER_KIND_LETTER = 'G';
constexpr int KIND_LETTER_INDEX = 6;
constexpr unsigned char FIRST_PLAIN_BYTE = 0x20;
constexpr unsigned char LAST_PLAIN_BYTE = 0x7E;
constexpr int HEX_DIGITS_PER_BYTE = 2;
constexpr int HEX_BASE = 16;
// The keyword, the quotes and the ending around the longest answer written as
// \xHH, and a CR LF.
constexpr int ANSWER_LINE_BUFFER = 16 + 4 * LONGEST_SCRIPTED_ANSWER;

bool written_as_is(unsigned char byte)
{
    return byte >= FIRST_PLAIN_BYTE && byte <= LAST_PLAIN_BYTE && byte != '"' && byte != '\\';
}

void write_quoted(const char *text)
{
    std::fputc('"', script_file);
    for (const char *c = text; *c != '\0' && c - text < LONGEST_SCRIPTED_ANSWER; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (written_as_is(byte)) {
            std::fputc(byte, script_file);
        } else if (byte == '"' || byte == '\\') {
            std::fputc('\\', script_file);
            std::fputc(byte, script_file);
        } else {
            std::fprintf(script_file, "\\x%02X", byte);
        }
    }
    std::fputc('"', script_file);
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The byte an escape stands for, or -1; *length is the escape's length.
int unescape(const char *escape, int *length)
{
    if (escape[1] == '"' || escape[1] == '\\') {
        *length = 2;
        return static_cast<unsigned char>(escape[1]);
    }
    if (escape[1] != 'x') {
        return -1;
    }
    const int high = hex_value(escape[2]);
    const int low = high < 0 ? -1 : hex_value(escape[3]);
    *length = 2 + HEX_DIGITS_PER_BYTE;
    return low < 0 || high * HEX_BASE + low == 0 ? -1 : high * HEX_BASE + low;
}

// The quoted text from the line's first quote to its closing one; false for
// anything else, and for an escape that stands for no byte.
bool decode_answer(const char *line, char *text, int size)
{
    const char *c = std::strchr(line, '"');
    if (c == nullptr) {
        return false;
    }
    int length = 0;
    for (++c; *c != '"'; ) {
        int byte = static_cast<unsigned char>(*c);
        int taken = 1;
        if (*c == '\\') {
            byte = unescape(c, &taken);
        }
        if (byte <= 0) {
            return false;
        }
        if (length < size - 1) {
            text[length++] = static_cast<char>(byte);
        }
        c += taken;
    }
    text[length] = '\0';
    return true;
}

// Also a CR LF alone, as the event reader skips it.
bool is_empty_line(const char *line)
{
    return line[0] == '\n' || (line[0] == '\r' && line[1] == '\n');
}

bool is_answer_line(const char *line)
{
    const size_t length = std::strlen(line);
    return length > KIND_LETTER_INDEX && line[KIND_LETTER_INDEX] == ANSWER_KIND_LETTER && line[length - 1] == '\n';
}

}  // namespace

// The pending periodic run goes first, so the answer stands where it came.
void write_script_answer(const char *text)
{
    write_periodic_run();
    if (script_file == nullptr && !open_script_file(SCRIPT_WRITING)) {
        return;
    }
    std::fputs("QZ370_GETS(", script_file);
    write_quoted(text);
    note_script_write(std::fputs(");\n", script_file));
}

// Empty lines before it are skipped, as the event reader skips them; a line
// that is no answer is left where it was, for the event reader to meet. A
// playback that has read nothing yet opens the file here.
bool read_script_answer(char *text, int size)
{
    if (script_file == nullptr && !open_script_file(SCRIPT_READING)) {
        return false;
    }
    if (script_file_direction() != SCRIPT_READING) {
        return false;
    }
    if (input.periodic_count > 0) {
        settle_reading_offset();
        return false;
    }
    const long start = std::ftell(script_file);
    char line[ANSWER_LINE_BUFFER];
    const char *got;
    do {
        got = std::fgets(line, sizeof line, script_file);
    } while (got != nullptr && is_empty_line(line));
    if (got != nullptr && is_answer_line(line) && decode_answer(line, text, size)) {
        return true;
    }
    std::fseek(script_file, start, SEEK_SET);
    settle_reading_offset();
    return false;
}
