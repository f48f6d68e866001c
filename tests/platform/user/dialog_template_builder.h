// Builds in-memory dialog templates for the dialog tests, field by field in
// the platform's layout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dialog_test {

constexpr WORD BUTTON_ATOM = 0x0080;
constexpr WORD EDIT_ATOM = 0x0081;
constexpr WORD STATIC_ATOM = 0x0082;

class TemplateBuilder {
public:
    TemplateBuilder &word(WORD value)
    {
        bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
        return *this;
    }
    TemplateBuilder &dword(DWORD value) { return word(static_cast<WORD>(value & 0xFFFF)).word(static_cast<WORD>(value >> 16)); }
    TemplateBuilder &text(const std::u16string &characters)
    {
        for (char16_t c : characters) {
            word(c);
        }
        return word(0);
    }
    TemplateBuilder &align()
    {
        while (bytes_.size() % 4 != 0) {
            bytes_.push_back(0);
        }
        return *this;
    }
    // Header with no menu and the platform's dialog class.
    TemplateBuilder &header(DWORD style, WORD controls, short x, short y, short width, short height,
                            const std::u16string &title)
    {
        dword(style).dword(0).word(controls);
        word(static_cast<WORD>(x)).word(static_cast<WORD>(y)).word(static_cast<WORD>(width));
        return word(static_cast<WORD>(height)).word(0).word(0).text(title);
    }
    // A control of a predefined class, with a text and no creation data.
    TemplateBuilder &control(DWORD style, short x, short y, short width, short height, WORD id, WORD atom,
                             const std::u16string &label)
    {
        control_fields(style, x, y, width, height, id);
        return word(0xFFFF).word(atom).text(label).word(0);
    }
    TemplateBuilder &control_fields(DWORD style, short x, short y, short width, short height, WORD id)
    {
        align().dword(style).dword(0);
        word(static_cast<WORD>(x)).word(static_cast<WORD>(y)).word(static_cast<WORD>(width));
        return word(static_cast<WORD>(height)).word(id);
    }
    LPCDLGTEMPLATEA get()
    {
        align();
        // Dialog templates start on a 4-byte boundary; vector storage does.
        return reinterpret_cast<LPCDLGTEMPLATEA>(bytes_.data());
    }

private:
    std::vector<uint8_t> bytes_;
};

constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD EDIT_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD DEFAULT_BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD STATIC_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;

constexpr WORD EDIT_ID = 102;
constexpr WORD BUTTON_ID = 101;
constexpr WORD STATIC_ID = 103;

// The line input dialog's shape: an edit, a default push button and a label.
inline TemplateBuilder line_input_template(const std::u16string &prompt = u"Prompt")
{
    TemplateBuilder builder;
    builder.header(DIALOG_STYLE, 3, 50, 50, 185, 92, u"QZ370_gets");
    builder.control(EDIT_STYLE, 8, 30, 167, 37, EDIT_ID, EDIT_ATOM, u"");
    builder.control(DEFAULT_BUTTON_STYLE, 67, 74, 50, 14, BUTTON_ID, BUTTON_ATOM, u"Okay");
    builder.control(STATIC_STYLE, 8, 3, 167, 24, STATIC_ID, STATIC_ATOM, prompt);
    return builder;
}

}  // namespace dialog_test
