// QZ370_gets driven only through Win32 calls, so that the same test runs on
// the real window system and on ours: a timer fires inside the dialog's modal
// loop, measures the dialog, fills in the edit field and presses Okay. The
// pixels expected are those the real system gives the template.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "library_state.h"

namespace {

constexpr UINT AT_ONCE_MS = 1;
constexpr char UNTOUCHED = 'J';

struct Box {
    long left, top, width, height;
    bool operator==(const Box &) const = default;
};

void PrintTo(const Box &box, std::ostream *out)
{
    *out << box.left << "," << box.top << " " << box.width << "x" << box.height;
}

struct DialogSeen {
    Box client;      // its left and top are 0
    Box edit;        // the controls in the dialog's client coordinates
    Box button;
    Box prompt;
    bool edit_has_focus;
    int prompt_lines;  // bands of rows with ink in the prompt
};

DialogSeen seen;
std::string text_to_type;

// Borders are alike on the left, right and bottom; the caption adds to the top.
POINT client_origin(HWND dialog, const RECT &client)
{
    RECT frame;
    GetWindowRect(dialog, &frame);
    const LONG border = ((frame.right - frame.left) - client.right) / 2;
    return POINT{frame.left + border, frame.bottom - border - client.bottom};
}

Box control_box(HWND dialog, POINT origin, int id)
{
    RECT frame;
    GetWindowRect(GetDlgItem(dialog, id), &frame);
    return Box{frame.left - origin.x, frame.top - origin.y, frame.right - frame.left, frame.bottom - frame.top};
}

bool row_has_ink(HDC dc, int y, int width, COLORREF background)
{
    for (int x = 0; x < width; ++x) {
        if (GetPixel(dc, x, y) != background) {
            return true;
        }
    }
    return false;
}

// Read from the screen, since the system offers no way to ask a label where it
// broke its text: each line of text is one band of rows with ink.
int lines_shown(HWND label)
{
    UpdateWindow(label);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    const COLORREF background = GetPixel(dc, client.right - 1, client.bottom - 1);
    int bands = 0;
    bool in_band = false;
    for (int y = 0; y < client.bottom; ++y) {
        const bool ink = row_has_ink(dc, y, client.right, background);
        bands += ink && !in_band ? 1 : 0;
        in_band = ink;
    }
    ReleaseDC(label, dc);
    return bands;
}

void CALLBACK measure_and_answer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND edit = GetFocus();
    HWND dialog = GetParent(edit);
    RECT client;
    GetClientRect(dialog, &client);
    const POINT origin = client_origin(dialog, client);
    seen = DialogSeen{Box{0, 0, client.right, client.bottom}, control_box(dialog, origin, GETS_EDIT_ID),
                      control_box(dialog, origin, GETS_BUTTON_ID), control_box(dialog, origin, GETS_PROMPT_ID),
                      edit == GetDlgItem(dialog, GETS_EDIT_ID), lines_shown(GetDlgItem(dialog, GETS_PROMPT_ID))};
    SetDlgItemTextA(dialog, GETS_EDIT_ID, text_to_type.c_str());
    PostMessageA(dialog, WM_COMMAND, GETS_BUTTON_ID, 0);
}

class GetsResults : public testing::Test {
protected:
    void SetUp() override
    {
        QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW);
        std::memset(buffer, UNTOUCHED, sizeof buffer);
    }

    // With a size, through QZ370_gets_n; without, through QZ370_gets.
    int ask(const std::string &typed, std::optional<int> size = std::nullopt)
    {
        text_to_type = typed;
        SetTimer(nullptr, 0, AT_ONCE_MS, measure_and_answer);
        return size ? QZ370_gets_n("What is your name?", buffer, *size) : QZ370_gets("What is your name?", buffer);
    }

    char buffer[2 * GETS_BUFFER_SIZE];
};

// The template's dialog units in pixels of the classic system font, 7 across
// and 16 down, each size mapped on its own and rounded half up.
TEST_F(GetsResults, LayoutIsTheRealSystemsAndTheEditFieldHasTheFocus)
{
    ask("");
    EXPECT_EQ(seen.client, (Box{0, 0, 324, 184}));
    EXPECT_EQ(seen.edit, (Box{14, 60, 292, 74}));
    EXPECT_EQ(seen.button, (Box{117, 148, 88, 28}));
    EXPECT_EQ(seen.prompt, (Box{14, 6, 292, 48}));
    EXPECT_TRUE(seen.edit_has_focus);
}

// The prompt reaches the dialog padded with blanks to 79 characters. Blanks
// may run past a label's right edge: a line breaks only before a word that
// would cross it, so the padding moves no word to a second line.
TEST_F(GetsResults, ABlankPaddedPromptShowsOnOneLine)
{
    ask("");
    EXPECT_EQ(seen.prompt_lines, 1);
}

// What the edit field holds comes back, line breaks included, cut to the
// buffer's size (256 bytes for QZ370_gets) and terminated; the rest of the
// buffer is left alone.
TEST_F(GetsResults, TheEditFieldsTextComesBackCutToTheBuffer)
{
    const std::string long_text(300, 'x');
    const struct {
        std::string typed;
        std::optional<int> size;
        std::string returned;
    } cases[] = {
        {"", std::nullopt, ""},
        {"Ada", std::nullopt, "Ada"},
        {"two\r\nlines", std::nullopt, "two\r\nlines"},
        {long_text, std::nullopt, long_text.substr(0, GETS_BUFFER_SIZE - 1)},
        {"Ada", 1, ""},
        {"Ada", 3, "Ad"},
        {"Ada", 4, "Ada"},
        {"Ada", 64, "Ada"},
        {long_text, 2 * GETS_BUFFER_SIZE - 1, long_text},
    };
    for (const auto &c : cases) {
        std::memset(buffer, UNTOUCHED, sizeof buffer);
        EXPECT_EQ(ask(c.typed, c.size), 1);
        const int size = c.size.value_or(GETS_BUFFER_SIZE);
        EXPECT_EQ(std::string(buffer), c.returned) << "size " << size;
        EXPECT_EQ(buffer[size], UNTOUCHED) << "size " << size;
    }
}

// No room even for the NUL: no dialog, and nothing written.
TEST_F(GetsResults, ABufferOfNoSizeIsNeverAsked)
{
    for (int size : {0, -1}) {
        std::memset(buffer, UNTOUCHED, sizeof buffer);
        EXPECT_EQ(ask("Ada", size), 0);
        EXPECT_EQ(buffer[0], UNTOUCHED);
    }
}

}  // namespace
