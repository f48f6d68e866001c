// Reading an in-memory dialog template. Fields are little-endian 16- and 32-bit
// values on 2-byte boundaries; each control record starts on a 4-byte
// boundary; texts are 16-bit characters ending in a 16-bit 0; a class or text
// may instead be the pair 0xFFFF and a number.
#include "user/dialog_template.h"

#include "gdi/fonts/cp1252.h"

namespace qz370::platform {

namespace {

constexpr WORD ORDINAL_MARK = 0xFFFF;
constexpr WORD EXTENDED_TEMPLATE_VERSION = 1;
constexpr int LONGEST_TEXT = 32767;  // longer is taken for a template that is not one

constexpr WORD BUTTON_ATOM = 0x0080;
constexpr WORD EDIT_ATOM = 0x0081;
constexpr WORD STATIC_ATOM = 0x0082;

constexpr char32_t FIRST_CP1252_HIGH_BYTE = 0x80;
constexpr char32_t LAST_CP1252_HIGH_BYTE = 0x9F;
constexpr char32_t LAST_LATIN1 = 0xFF;
constexpr char UNMAPPABLE = '?';

// The Windows-1252 byte for a 16-bit character, as the "A" operations see
// text. The five bytes the code page leaves undefined stand for themselves.
char narrow(WORD character)
{
    const bool in_high_bytes = character >= FIRST_CP1252_HIGH_BYTE && character <= LAST_CP1252_HIGH_BYTE;
    if (character <= LAST_LATIN1 && !in_high_bytes) {
        return static_cast<char>(character);
    }
    for (char32_t byte = FIRST_CP1252_HIGH_BYTE; byte <= LAST_CP1252_HIGH_BYTE; ++byte) {
        const uint32_t code_point = fonts::unicode_from_cp1252(static_cast<unsigned char>(byte));
        if (code_point == character || (code_point == 0 && byte == character)) {
            return static_cast<char>(byte);
        }
    }
    return UNMAPPABLE;
}

class TemplateReader {
public:
    explicit TemplateReader(const void *start) : bytes_(static_cast<const unsigned char *>(start)) {}

    WORD word()
    {
        const WORD value = word_at(offset_);
        offset_ += sizeof(WORD);
        return value;
    }
    DWORD dword()
    {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    short coordinate() { return static_cast<short>(word()); }
    WORD word_at(size_t offset) const { return static_cast<WORD>(bytes_[offset] | (bytes_[offset + 1] << 8)); }
    WORD peek_word() const { return word_at(offset_); }
    void skip(size_t count) { offset_ += count; }
    void align_to_dword() { offset_ = (offset_ + 3) & ~size_t{3}; }

    // A text ending in a 16-bit 0; false if it runs on too long to be one.
    bool text(std::string *out)
    {
        out->clear();
        for (WORD character = word(); character != 0; character = word()) {
            if (out->size() == LONGEST_TEXT) {
                return false;
            }
            out->push_back(narrow(character));
        }
        return true;
    }

    // A menu, class or control text: 0 for none, an ordinal, or a text.
    bool name_or_ordinal(std::string *text, WORD *ordinal)
    {
        *ordinal = 0;
        if (peek_word() == ORDINAL_MARK) {
            skip(sizeof(WORD));
            *ordinal = word();
            text->clear();
            return true;
        }
        return this->text(text);
    }

private:
    const unsigned char *bytes_;
    size_t offset_ = 0;
};

const char *class_of_atom(WORD atom)
{
    switch (atom) {
    case BUTTON_ATOM:
        return "BUTTON";
    case EDIT_ATOM:
        return "EDIT";
    case STATIC_ATOM:
        return "STATIC";
    default:
        return nullptr;
    }
}

bool read_header(TemplateReader &reader, DialogDescription *dialog, WORD *control_count)
{
    dialog->style = reader.dword();
    dialog->ex_style = reader.dword();
    *control_count = reader.word();
    dialog->x = reader.coordinate();
    dialog->y = reader.coordinate();
    dialog->width = reader.coordinate();
    dialog->height = reader.coordinate();
    std::string name;
    WORD ordinal;
    if (!reader.name_or_ordinal(&name, &ordinal) || !name.empty() || ordinal != 0) {
        return false;  // a menu
    }
    if (!reader.name_or_ordinal(&name, &ordinal) || !name.empty() || ordinal != 0) {
        return false;  // a dialog class of its own
    }
    if (!reader.text(&dialog->title)) {
        return false;
    }
    if (dialog->style & DS_SETFONT) {
        // Controls always use the system font; the size and face are read past.
        reader.word();
        return reader.text(&name);
    }
    return true;
}

bool read_control(TemplateReader &reader, DialogControlDescription *control)
{
    reader.align_to_dword();
    control->style = reader.dword();
    control->ex_style = reader.dword();
    control->x = reader.coordinate();
    control->y = reader.coordinate();
    control->width = reader.coordinate();
    control->height = reader.coordinate();
    control->id = reader.word();
    WORD atom;
    if (!reader.name_or_ordinal(&control->class_name, &atom)) {
        return false;
    }
    if (atom != 0) {
        const char *name = class_of_atom(atom);
        if (name == nullptr) {
            return false;
        }
        control->class_name = name;
    }
    WORD resource;
    if (!reader.name_or_ordinal(&control->text, &resource)) {
        return false;
    }
    // Creation data: its first word gives its size in bytes, that word included.
    const WORD creation_bytes = reader.word();
    if (creation_bytes > sizeof(WORD)) {
        reader.skip(creation_bytes - sizeof(WORD));
    }
    return true;
}

}  // namespace

std::optional<DialogDescription> parse_dialog_template(const void *dialog_template)
{
    if (dialog_template == nullptr) {
        return std::nullopt;
    }
    TemplateReader reader(dialog_template);
    if (reader.word_at(0) == EXTENDED_TEMPLATE_VERSION && reader.word_at(sizeof(WORD)) == ORDINAL_MARK) {
        return std::nullopt;
    }
    DialogDescription dialog;
    WORD control_count;
    if (!read_header(reader, &dialog, &control_count)) {
        return std::nullopt;
    }
    dialog.controls.resize(control_count);
    for (DialogControlDescription &control : dialog.controls) {
        if (!read_control(reader, &control)) {
            return std::nullopt;
        }
    }
    return dialog;
}

}  // namespace qz370::platform
