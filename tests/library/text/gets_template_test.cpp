// The line input dialog's in-memory template, byte by byte at the offsets of
// the platform's layout.
#include <gtest/gtest.h>

#include <string>

#include "library_state.h"

namespace {

using Template = unsigned char[GETS_TEMPLATE_BYTES];

unsigned word_at(const Template &bytes, int offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}

unsigned long dword_at(const Template &bytes, int offset)
{
    return word_at(bytes, offset) | (static_cast<unsigned long>(word_at(bytes, offset + 2)) << 16);
}

std::u16string text_at(const Template &bytes, int offset, int characters)
{
    std::u16string text;
    for (int i = 0; i < characters; ++i) {
        text.push_back(static_cast<char16_t>(word_at(bytes, offset + 2 * i)));
    }
    return text;
}

struct ControlFields {
    int offset;
    unsigned long style;
    unsigned x, y, width, height, id, atom;
};

void expect_control(const Template &bytes, const ControlFields &control)
{
    SCOPED_TRACE(control.offset);
    EXPECT_EQ(dword_at(bytes, control.offset), control.style);
    EXPECT_EQ(dword_at(bytes, control.offset + 4), 0u);
    EXPECT_EQ(word_at(bytes, control.offset + 8), control.x);
    EXPECT_EQ(word_at(bytes, control.offset + 10), control.y);
    EXPECT_EQ(word_at(bytes, control.offset + 12), control.width);
    EXPECT_EQ(word_at(bytes, control.offset + 14), control.height);
    EXPECT_EQ(word_at(bytes, control.offset + 16), control.id);
    EXPECT_EQ(word_at(bytes, control.offset + 18), 0xFFFFu);
    EXPECT_EQ(word_at(bytes, control.offset + 20), control.atom);
}

// Everything but the prompt is the same for every prompt.
void expect_fixed_fields(const Template &bytes)
{
    EXPECT_EQ(dword_at(bytes, 0), 0x90C80080u);
    EXPECT_EQ(dword_at(bytes, 4), 0u);
    EXPECT_EQ(word_at(bytes, 8), 3u);
    EXPECT_EQ(word_at(bytes, 10), 50u);
    EXPECT_EQ(word_at(bytes, 12), 50u);
    EXPECT_EQ(word_at(bytes, 14), 185u);
    EXPECT_EQ(word_at(bytes, 16), 92u);
    EXPECT_EQ(word_at(bytes, 18), 0u);
    EXPECT_EQ(word_at(bytes, 20), 0u);
    EXPECT_EQ(text_at(bytes, 22, 11), std::u16string(u"QZ370_gets", 11));

    expect_control(bytes, {44, 0x50810044u, 8, 30, 167, 37, 102, 0x81});
    EXPECT_EQ(word_at(bytes, 66), 0u);  // empty text
    EXPECT_EQ(word_at(bytes, 68), 0u);  // no creation data
    EXPECT_EQ(word_at(bytes, 70), 0u);  // padding to the next record

    expect_control(bytes, {72, 0x50010001u, 67, 74, 50, 14, 101, 0x80});
    EXPECT_EQ(text_at(bytes, 94, 5), std::u16string(u"Okay", 5));
    EXPECT_EQ(word_at(bytes, 104), 0u);
    EXPECT_EQ(word_at(bytes, 106), 0u);

    expect_control(bytes, {108, 0x50020000u, 8, 3, 167, 24, 103, 0x82});
    EXPECT_EQ(word_at(bytes, 288), 0u);  // the prompt's terminator
    EXPECT_EQ(word_at(bytes, 290), 0u);
}

std::u16string widened(const std::string &text)
{
    return std::u16string(text.begin(), text.end());
}

}  // namespace

TEST(GetsTemplate, ShortPromptIsPaddedWithBlanks)
{
    alignas(4) Template bytes;
    build_gets_template("Your name?", bytes);
    expect_fixed_fields(bytes);
    EXPECT_EQ(text_at(bytes, 130, 79), widened("Your name?" + std::string(69, ' ')));
}

TEST(GetsTemplate, PromptOfExactly79CharactersIsKeptWhole)
{
    const std::string prompt(79, 'p');
    alignas(4) Template bytes;
    build_gets_template(prompt.c_str(), bytes);
    expect_fixed_fields(bytes);
    EXPECT_EQ(text_at(bytes, 130, 79), widened(prompt));
}

TEST(GetsTemplate, LongerPromptIsCutAfter79Characters)
{
    std::string prompt;
    for (int i = 0; i < 100; ++i) {
        prompt.push_back(static_cast<char>('a' + i % 26));
    }
    alignas(4) Template bytes;
    build_gets_template(prompt.c_str(), bytes);
    expect_fixed_fields(bytes);
    EXPECT_EQ(text_at(bytes, 130, 79), widened(prompt.substr(0, 79)));
}

TEST(GetsTemplate, EmptyPromptIsAllBlanks)
{
    alignas(4) Template bytes;
    build_gets_template("", bytes);
    expect_fixed_fields(bytes);
    EXPECT_EQ(text_at(bytes, 130, 79), widened(std::string(79, ' ')));
}

// Windows-1252: 0x80 to 0x9F have code points of their own; the five undefined
// bytes and the Latin-1 range keep their values.
TEST(GetsTemplate, HighPromptBytesAreWidenedAsWindows1252)
{
    alignas(4) Template bytes;
    build_gets_template("\x80\x81\x8A\x9F\xA0\xE9\xFF", bytes);
    EXPECT_EQ(text_at(bytes, 130, 8), (std::u16string{0x20AC, 0x0081, 0x0160, 0x0178, 0x00A0, 0x00E9, 0x00FF, ' '}));
}
