#include "script_check.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "terminal_text.h"
#include "text/script_number_reader.h"

namespace replay {

namespace {

// The event reader takes at most 511 characters at a time, as one line; the
// dialog's answer reader a whole answer line of up to 16395.
constexpr size_t READER_PIECE = 511;
constexpr size_t ANSWER_READER_PIECE = 16 + 4 * 4095 - 1;
constexpr size_t KIND_LETTER_INDEX = 6;
constexpr size_t SHORTEST_EVENT_LINE = KIND_LETTER_INDEX + 1;
constexpr int KEY_CODE_MASK = 0xFF;
constexpr int LOWEST_KEY = -128;
constexpr int HIGHEST_KEY = 255;
constexpr const char *BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr const char *STOPS = "; playback stops here";
constexpr size_t HEX_ESCAPE_LENGTH = 4;

struct Piece {
    int line;
    size_t start;
    size_t end;           // just past its last character, line end included
    std::string text;     // without its line end
    bool has_line_end;
    bool first_of_line;   // a long line's later pieces are not its start
    size_t longest;       // the most the reader that takes it reads at once
};

bool is_empty_piece(const std::string &raw) { return raw == "\n" || raw == "\r\n"; }

bool is_answer_start(const std::string &text, size_t start) {
    return start + KIND_LETTER_INDEX < text.size() && text[start + KIND_LETTER_INDEX] == 'G';
}

// The pieces the reader takes, empty lines left out as it leaves them out.
std::vector<Piece> pieces_of(const std::string &text) {
    std::vector<Piece> pieces;
    int line = 1;
    bool at_line_start = true;
    for (size_t start = 0; start < text.size();) {
        size_t newline = text.find('\n', start);
        const size_t longest = at_line_start && is_answer_start(text, start) ? ANSWER_READER_PIECE : READER_PIECE;
        size_t end = std::min(newline == std::string::npos ? text.size() : newline + 1, start + longest);
        std::string raw = text.substr(start, end - start);
        bool has_line_end = !raw.empty() && raw.back() == '\n';
        if (!is_empty_piece(raw)) {
            std::string body = raw.substr(0, raw.size() - (has_line_end ? 1 : 0));
            if (has_line_end && !body.empty() && body.back() == '\r') {
                body.pop_back();
            }
            pieces.push_back(Piece{line, start, end, body, has_line_end, at_line_start, longest});
        }
        at_line_start = has_line_end;
        line += has_line_end ? 1 : 0;
        start = end;
    }
    return pieces;
}

std::string quoted(const std::string &text) { return "'" + as_terminal_text(text) + "'"; }

std::string without_blanks(const std::string &text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char c) { return c != ' ' && c != '\t'; });
    return kept;
}

// How the reader takes an event line, written the way the writer writes it.
std::string as_read(const std::string &body) {
    const char *line = body.c_str();
    switch (body[KIND_LETTER_INDEX]) {
    case 'M': {
        ScriptNumber x = read_signed_number(line, KIND_LETTER_INDEX);
        ScriptNumber y = read_signed_number(line, x.next);
        return "QZ370_MOUSE(" + std::to_string(x.value) + ", " + std::to_string(y.value) + ");";
    }
    case 'K': {
        ScriptNumber code = read_signed_number(line, KIND_LETTER_INDEX);
        return "QZ370_KBD(" + std::to_string(code.value) + ");";
    }
    default: return "QZ370_PERIODIC(" + std::to_string(read_count(line, KIND_LETTER_INDEX).value) + ");";
    }
}

bool is_key_line_in_range(const std::string &body) {
    int code = read_signed_number(body.c_str(), KIND_LETTER_INDEX).value;
    return code >= LOWEST_KEY && code <= HIGHEST_KEY;
}

bool is_hex_digit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The length of the escape at text[at], as the dialog's reader takes it; 0
// if it takes none there (\x00 stands for no byte).
size_t escape_length(const std::string &text, size_t at) {
    const char kind = at + 1 < text.size() ? text[at + 1] : '\0';
    if (kind == '"' || kind == '\\') {
        return 2;
    }
    if (kind != 'x' || at + 3 >= text.size() || !is_hex_digit(text[at + 2]) || !is_hex_digit(text[at + 3]) ||
        text.compare(at + 2, 2, "00") == 0) {
        return 0;
    }
    return HEX_ESCAPE_LENGTH;
}

// A backslash and what follows it, as far as it could still be an escape.
size_t shown_escape_length(const std::string &text, size_t at) {
    size_t length = std::min<size_t>(2, text.size() - at);
    while (length < HEX_ESCAPE_LENGTH && text[at + 1] == 'x' && at + length < text.size() &&
           is_hex_digit(text[at + length])) {
        ++length;
    }
    return length;
}

// Where the quoted text ends (its closing quote), or why the reader cannot read it.
std::string why_answer_text_is_odd(const std::string &body, size_t from, size_t &closing) {
    for (size_t at = from; at < body.size(); ++at) {
        if (body[at] == '"') {
            closing = at;
            return "";
        }
        if (body[at] != '\\') {
            continue;
        }
        size_t length = escape_length(body, at);
        if (length == 0) {
            return quoted(body.substr(at, shown_escape_length(body, at))) +
                   " is no escape the reader takes (\\\" \\\\ or \\xHH but \\x00)" + STOPS;
        }
        at += length - 1;
    }
    return std::string("not an answer as QZ370_GETS(\"text\"); writes it") + STOPS;
}

std::string why_answer_is_odd(const std::string &body) {
    const std::string prefix = "QZ370_GETS(\"";
    const std::string ending = "\");";
    size_t closing = 0;
    if (body.compare(0, prefix.size(), prefix) == 0) {
        std::string why = why_answer_text_is_odd(body, prefix.size(), closing);
        if (!why.empty() || body.compare(closing, std::string::npos, ending) == 0) {
            return why;
        }
    }
    return std::string("not an answer as QZ370_GETS(\"text\"); writes it") + STOPS;
}

// How the event reader takes a piece otherwise than it reads; empty if it
// takes it as written. Answers are left to why_answer_is_odd.
std::string why_event_is_odd(const Piece &piece) {
    const std::string &body = piece.text;
    if (!piece.first_of_line) {
        Piece line_of_its_own = piece;
        line_of_its_own.first_of_line = true;
        const std::string why = why_event_is_odd(line_of_its_own);
        return "the rest of a line longer than 511 characters, taken as a line of its own" +
               (why.empty() ? std::string() : ": " + why);
    }
    if (body.compare(0, 3, BYTE_ORDER_MARK) == 0) {
        return std::string("begins with a byte-order mark") + STOPS;
    }
    if (body.front() == ' ' || body.front() == '\t') {
        return std::string("begins with a blank") + STOPS;
    }
    if (body.size() < SHORTEST_EVENT_LINE) {
        return std::string("shorter than seven characters") + STOPS;
    }
    char kind = body[KIND_LETTER_INDEX];
    if (kind != 'M' && kind != 'K' && kind != 'P') {
        return std::string("unknown keyword") + STOPS;
    }
    std::string read = as_read(body);
    if (without_blanks(body) == without_blanks(read) && (kind != 'K' || is_key_line_in_range(body))) {
        return read == "QZ370_PERIODIC(0);" ? "a count of 0, taken as 1" : "";
    }
    if (kind == 'K') {
        int code = read_signed_number(body.c_str(), KIND_LETTER_INDEX).value & KEY_CODE_MASK;
        return "read as the key with code " + std::to_string(code);
    }
    return "read as " + read;
}

std::string why_piece_is_odd(const Piece &piece) {
    std::string why = piece.text.size() > KIND_LETTER_INDEX && piece.text[KIND_LETTER_INDEX] == 'G'
                          ? why_answer_is_odd(piece.text)
                          : why_event_is_odd(piece);
    if (!piece.has_line_end && piece.end - piece.start < piece.longest) {
        return "no line end: the reader meets the end of the file there and does not play it";
    }
    if (!piece.has_line_end && piece.longest == ANSWER_READER_PIECE) {
        return std::string("an answer line longer than 16395 characters, which the dialog does not take") + STOPS;
    }
    if (!piece.has_line_end) {
        return "longer than 511 characters: the reader takes it in pieces, each a line of its own" +
               (why.empty() ? std::string() : ": " + why);
    }
    return why;
}

// Said of the line where playback did stop, "playback stops here" goes without saying.
std::string stopping_reason(const Piece &piece) {
    std::string why = why_piece_is_odd(piece);
    const std::string stops = STOPS;
    if (why.size() >= stops.size() && why.compare(why.size() - stops.size(), stops.size(), stops) == 0) {
        why.resize(why.size() - stops.size());
    }
    return why.empty() ? "the reader took no event from it" : why;
}

std::string at_line(const Piece &piece, const std::string &why) {
    return "line " + std::to_string(piece.line) + " " + quoted(piece.text) + ": " + why;
}

bool is_answer_kind(const Piece &piece) {
    return piece.text.size() > KIND_LETTER_INDEX && piece.text[KIND_LETTER_INDEX] == 'G';
}

bool is_answer(const Piece &piece) { return is_answer_kind(piece) && why_answer_is_odd(piece.text).empty(); }

// The line before holds periodic events the reader may still owe.
bool owes_periodic_events(const std::vector<Piece> &pieces, std::vector<Piece>::const_iterator next) {
    if (next == pieces.begin()) {
        return false;
    }
    const std::string &before = std::prev(next)->text;
    return before.size() > KIND_LETTER_INDEX && before[KIND_LETTER_INDEX] == 'P' &&
           read_count(before.c_str(), KIND_LETTER_INDEX).value > 1;
}

std::string why_dialog_waits(const std::vector<Piece> &pieces, int64_t offset) {
    auto next = std::find_if(pieces.begin(), pieces.end(), [&](const Piece &p) { return int64_t(p.start) >= offset; });
    if (next == pieces.end()) {
        return "the input dialog waits for an answer at the end of the script";
    }
    std::string line = "line " + std::to_string(next->line) + " " + quoted(next->text);
    if (is_answer(*next)) {
        return owes_periodic_events(pieces, next)
                   ? "the input dialog waits for an answer while periodic events before " + line + " are still owed"
                   : "the input dialog waits for an answer, and " + line + " was not taken for it";
    }
    if (is_answer_kind(*next)) {
        return "the input dialog waits for an answer, and " + line +
               " cannot be read as one: " + stopping_reason(*next);
    }
    return "the input dialog waits for an answer, and " + line + " is not one";
}

}  // namespace

std::string read_script_text(const std::string &path) {
    std::string text;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        char block[4096];
        for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
            text.append(block, got);
        }
        std::fclose(file);
    }
    return text;
}

std::vector<ScriptFinding> check_script(const std::string &text) {
    std::vector<ScriptFinding> findings;
    for (const Piece &piece : pieces_of(text)) {
        std::string why = why_piece_is_odd(piece);
        if (!why.empty()) {
            findings.push_back(ScriptFinding{piece.line, quoted(piece.text) + ": " + why});
        }
    }
    return findings;
}

std::string why_playback_stopped(const std::string &text, int64_t offset, bool end_of_file_met, bool dialog_waits) {
    std::vector<Piece> pieces = pieces_of(text);
    if (dialog_waits) {
        return why_dialog_waits(pieces, offset);
    }
    auto last = std::find_if(pieces.begin(), pieces.end(), [&](const Piece &p) { return int64_t(p.end) == offset; });
    if (last == pieces.end()) {
        return end_of_file_met ? "" : "playback stopped where the script could not be read on";
    }
    if (end_of_file_met && last->has_line_end) {
        return "";
    }
    if (is_answer(*last) && !end_of_file_met) {
        return "playback stopped at " + at_line(*last, "an answer to the input dialog, where the program asked for none");
    }
    return "playback stopped at " + at_line(*last, stopping_reason(*last));
}

int64_t events_played(const std::string &text, int64_t offset) {
    int64_t events = 0;
    for (const Piece &piece : pieces_of(text)) {
        const bool read_in_full = piece.has_line_end || piece.end - piece.start == piece.longest;
        if (int64_t(piece.end) > offset || !read_in_full || piece.text.size() <= KIND_LETTER_INDEX) {
            continue;
        }
        switch (piece.text[KIND_LETTER_INDEX]) {
        case 'M':
        case 'K': events += 1; break;
        case 'P': events += std::max(read_count(piece.text.c_str(), KIND_LETTER_INDEX).value, 1); break;
        default: break;
        }
    }
    return events;
}

std::string why_program_ended_early(const std::string &text, int64_t offset, bool end_of_file_met) {
    if (end_of_file_met) {
        return "";
    }
    std::vector<Piece> pieces = pieces_of(text);
    auto next = std::find_if(pieces.begin(), pieces.end(), [&](const Piece &p) { return int64_t(p.start) >= offset; });
    if (next == pieces.end()) {
        return "";
    }
    return "the program ended by itself before line " + std::to_string(next->line) + " " + quoted(next->text) +
           " was played";
}

}  // namespace replay
