// Playing a script back: one event per call, from the periodic events a
// periodic line still owes or from the next line of the file.
#include "library_state.h"
#include "script_number_reader.h"
#include "script_stream.h"

namespace {

// The six characters before it are never examined.
constexpr int KIND_LETTER_INDEX = 6;
constexpr int KEY_CODE_MASK = 0xFF;

// Windows' text mode already turns CR LF into a newline, and only that CR: a
// line of "\r\r\n" reads as "\r\n" there and is no empty line. Elsewhere a CR
// before the newline belongs to the line end too, so that files written with
// CR LF line ends play back here as they do there.
#ifdef _WIN32
constexpr bool TEXT_MODE_ENDS_LINES_AT_CR_LF = true;
#else
constexpr bool TEXT_MODE_ENDS_LINES_AT_CR_LF = false;
#endif

bool is_empty_line(const char *line)
{
    return line[0] == '\n' || (!TEXT_MODE_ENDS_LINES_AT_CR_LF && line[0] == '\r' && line[1] == '\n');
}

bool reaches_kind_letter(const char *line)
{
    for (int i = 0; i <= KIND_LETTER_INDEX; ++i) {
        if (line[i] == '\0') {
            return false;
        }
    }
    return true;
}

// Reads up to 511 characters: a longer line comes in pieces, each a line of its own.
bool read_next_line(char (&line)[SCRIPT_LINE_BUFFER])
{
    const char *got;
    do {
        got = std::fgets(line, SCRIPT_LINE_BUFFER, script_file);
    } while (got != nullptr && !std::feof(script_file) && is_empty_line(line));
    return got != nullptr;
}

void decode_mouse(const char *line)
{
    const ScriptNumber x = read_signed_number(line, KIND_LETTER_INDEX);
    const ScriptNumber y = read_signed_number(line, x.next);
    input.current_event.kind = QZ370_MOUSE;
    input.current_event.x = x.value;
    input.current_event.y = y.value;
}

void decode_key(const char *line)
{
    const ScriptNumber code = read_signed_number(line, KIND_LETTER_INDEX);
    input.current_event.kind = QZ370_KBD;
    input.current_event.key = static_cast<signed char>(code.value & KEY_CODE_MASK);
}

// A count of N stands for N periodic events: this one and N - 1 owed. A count
// of 0 still gives this one and owes nothing.
void decode_periodic(const char *line)
{
    const ScriptNumber count = read_count(line, KIND_LETTER_INDEX);
    input.current_event.kind = QZ370_PERIODIC;
    input.periodic_count = count.value > 0 ? count.value - 1 : 0;
}

// Returns false for a line that is no event; the fields the line does not give
// are left as they are.
bool decode_line(const char *line)
{
    if (!reaches_kind_letter(line)) {
        return false;
    }
    switch (line[KIND_LETTER_INDEX]) {
    case 'M':
        decode_mouse(line);
        return true;
    case 'K':
        decode_key(line);
        return true;
    case 'P':
        decode_periodic(line);
        return true;
    default:
        return false;
    }
}

void hand_out_owed_periodic_event()
{
    input.current_event.kind = QZ370_PERIODIC;
    input.periodic_count -= 1;
}

}  // namespace

void stop_playback()
{
    settle_reading_offset();
    input.playing_back = 0;
    input.play_one = 0;
    CheckMenuItem(run_menu, MENU_PLAYBACK, MF_BYCOMMAND | MF_UNCHECKED);
}

// The file stays open after its end and after a line that is no event, so a
// later playback goes on from there.
int read_script_line()
{
    if (script_file == nullptr && !open_script_file(SCRIPT_READING)) {
        stop_playback();
        return 0;
    }
    if (input.periodic_count > 0) {
        hand_out_owed_periodic_event();
        return 1;
    }
    char line[SCRIPT_LINE_BUFFER] = {};
    const bool got_line = read_next_line(line);
    if (std::feof(script_file)) {
        QZ370_print("EOF encountered in script file %s\n", SCRIPT_FILE_NAME);
        stop_playback();
        return 0;
    }
    if (!got_line || !decode_line(line)) {
        stop_playback();
        return 0;
    }
    return 1;
}
