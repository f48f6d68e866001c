// The line input dialog's description, built in memory in the platform's
// dialog template layout: a header, then one record per control, each on a
// 4-byte boundary, texts as 16-bit characters, sizes in dialog units.
#include "library_state.h"

#include <cstring>

namespace {

constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD EDIT_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD PROMPT_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;

constexpr WORD CLASS_ATOM_MARK = 0xFFFF;
constexpr WORD BUTTON_CLASS_ATOM = 0x0080;
constexpr WORD EDIT_CLASS_ATOM = 0x0081;
constexpr WORD STATIC_CLASS_ATOM = 0x0082;

constexpr int PROMPT_CHARACTERS = 79;

// Windows-1252 bytes 0x80 to 0x9F; the five the code page leaves undefined
// keep their own values.
constexpr WORD CP1252_HIGH_CONTROLS[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr unsigned char CP1252_HIGH_CONTROLS_FIRST = 0x80;
constexpr unsigned char CP1252_HIGH_CONTROLS_LAST = 0x9F;

WORD widen(unsigned char byte)
{
    if (byte >= CP1252_HIGH_CONTROLS_FIRST && byte <= CP1252_HIGH_CONTROLS_LAST) {
        return CP1252_HIGH_CONTROLS[byte - CP1252_HIGH_CONTROLS_FIRST];
    }
    return byte;
}

// Little-endian fields written one after another, so the layout is byte-exact
// whatever the host's alignment rules.
struct TemplateWriter {
    unsigned char *bytes;
    int offset;
};

void put_word(TemplateWriter &writer, WORD value)
{
    writer.bytes[writer.offset] = static_cast<unsigned char>(value & 0xFF);
    writer.bytes[writer.offset + 1] = static_cast<unsigned char>(value >> 8);
    writer.offset += 2;
}

void put_dword(TemplateWriter &writer, DWORD value)
{
    put_word(writer, static_cast<WORD>(value & 0xFFFF));
    put_word(writer, static_cast<WORD>(value >> 16));
}

void put_text(TemplateWriter &writer, const char *characters, int count)
{
    for (int i = 0; i < count; ++i) {
        put_word(writer, widen(static_cast<unsigned char>(characters[i])));
    }
    put_word(writer, 0);
}

void align_to_dword(TemplateWriter &writer)
{
    writer.offset = (writer.offset + 3) & ~3;
}

struct ControlRecord {
    DWORD style;
    short x, y, width, height;
    WORD id;
    WORD class_atom;
    const char *text;
    int text_length;
};

void write_control(TemplateWriter &writer, const ControlRecord &control)
{
    align_to_dword(writer);
    put_dword(writer, control.style);
    put_dword(writer, 0);  // extended style
    put_word(writer, static_cast<WORD>(control.x));
    put_word(writer, static_cast<WORD>(control.y));
    put_word(writer, static_cast<WORD>(control.width));
    put_word(writer, static_cast<WORD>(control.height));
    put_word(writer, control.id);
    put_word(writer, CLASS_ATOM_MARK);
    put_word(writer, control.class_atom);
    put_text(writer, control.text, control.text_length);
    put_word(writer, 0);  // creation data size
}

// The prompt's first 79 characters, then blanks up to the 79th position.
void fit_prompt(const char *prompt, char (&fitted)[PROMPT_CHARACTERS])
{
    std::memset(fitted, ' ', sizeof fitted);
    const char *source = prompt != nullptr ? prompt : "";
    for (int i = 0; i < PROMPT_CHARACTERS && source[i] != '\0'; ++i) {
        fitted[i] = source[i];
    }
}

}  // namespace

void build_gets_template(const char *prompt, unsigned char (&dialog_template)[GETS_TEMPLATE_BYTES])
{
    static const char title[] = "QZ370_gets";
    static const char button_text[] = "Okay";
    char fitted_prompt[PROMPT_CHARACTERS];
    fit_prompt(prompt, fitted_prompt);

    std::memset(dialog_template, 0, sizeof dialog_template);
    TemplateWriter writer{dialog_template, 0};
    put_dword(writer, DIALOG_STYLE);
    put_dword(writer, 0);  // extended style
    put_word(writer, 3);   // controls
    put_word(writer, 50);  // x
    put_word(writer, 50);  // y
    put_word(writer, 185); // width
    put_word(writer, 92);  // height
    put_word(writer, 0);   // no menu
    put_word(writer, 0);   // the platform's dialog class
    put_text(writer, title, static_cast<int>(sizeof title) - 1);

    write_control(writer, {EDIT_STYLE, 8, 30, 167, 37, GETS_EDIT_ID, EDIT_CLASS_ATOM, "", 0});
    write_control(writer, {BUTTON_STYLE, 67, 74, 50, 14, GETS_BUTTON_ID, BUTTON_CLASS_ATOM, button_text,
                           static_cast<int>(sizeof button_text) - 1});
    write_control(writer, {PROMPT_STYLE, 8, 3, 167, 24, GETS_PROMPT_ID, STATIC_CLASS_ATOM, fitted_prompt,
                           PROMPT_CHARACTERS});
}
