// "EDIT": a text field with a caret. A multi-line field wraps its text at
// word boundaries, keeps line breaks as CR LF, and scrolls vertically to keep
// the caret in view. Its text is the window text.
#include "user/controls/classic_look.h"
#include "user/controls/control_classes.h"
#include "user/controls/text_layout.h"
#include "user/window_system.h"

#include <algorithm>
#include <unordered_map>

namespace qz370::platform {

namespace {

constexpr int MARGIN = 2;               // pixels between the border and the text
constexpr size_t TEXT_LIMIT = 32767;    // what a user may type into one field
constexpr char LINE_BREAK[] = "\r\n";
constexpr size_t LINE_BREAK_LENGTH = sizeof LINE_BREAK - 1;
constexpr WPARAM BACKSPACE = 8;
constexpr WPARAM FIRST_PRINTABLE = 32;
constexpr WPARAM LAST_CHARACTER = 255;
constexpr int CARET_WIDTH = 1;

struct EditState {
    size_t caret;       // byte offset into the text, never inside a line break
    size_t first_line;  // the line shown at the top
};

std::unordered_map<HWND, EditState> edits;

struct EditLayout {
    std::vector<TextLine> lines;
    int line_height;
    size_t visible_lines;
};

bool is_multi_line(const Window &window)
{
    return (window.style & ES_MULTILINE) != 0;
}

EditLayout lay_out(HWND hwnd, HDC dc, const Window &window)
{
    RECT client;
    GetClientRect(hwnd, &client);
    EditLayout layout;
    layout.lines = lay_out_text(dc, window.title, client.right - 2 * MARGIN, is_multi_line(window));
    layout.line_height = classic::line_height(dc);
    layout.visible_lines = static_cast<size_t>(std::max(1, client.bottom / layout.line_height));
    return layout;
}

// Outside painting: measures with a DC of the field.
EditLayout lay_out(HWND hwnd, const Window &window)
{
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous_font = classic::prepare_text(dc);
    EditLayout layout = lay_out(hwnd, dc, window);
    SelectObject(dc, previous_font);
    ReleaseDC(hwnd, dc);
    return layout;
}

// A caret where one wrapped line ends and the next begins belongs to the next.
size_t line_of(const EditLayout &layout, size_t caret)
{
    size_t found = 0;
    for (size_t i = 0; i < layout.lines.size() && layout.lines[i].start <= caret; ++i) {
        found = i;
    }
    return found;
}

int x_of(HDC dc, const std::string &text, const TextLine &line, size_t caret)
{
    const size_t end = std::clamp(caret, line.start, line.end);
    return MARGIN + classic::text_width(dc, text.data() + line.start, static_cast<int>(end - line.start));
}

// The character boundary of the line nearest to x.
size_t position_at(HDC dc, const std::string &text, const TextLine &line, int x)
{
    int left = MARGIN;
    for (size_t i = line.start; i < line.end; ++i) {
        const int advance = classic::text_width(dc, &text[i], 1);
        if (x < left + advance / 2) {
            return i;
        }
        left += advance;
    }
    return line.end;
}

void scroll_to_caret(EditState &state, const EditLayout &layout)
{
    const size_t line = line_of(layout, state.caret);
    if (line < state.first_line) {
        state.first_line = line;
    } else if (line >= state.first_line + layout.visible_lines) {
        state.first_line = line - layout.visible_lines + 1;
    }
    state.first_line = std::min(state.first_line, layout.lines.size() - 1);
}

void changed(HWND hwnd, EditState &state, const Window &window)
{
    scroll_to_caret(state, lay_out(hwnd, window));
    InvalidateRect(hwnd, nullptr, TRUE);
}

bool line_break_at(const std::string &text, size_t position)
{
    return text.compare(position, LINE_BREAK_LENGTH, LINE_BREAK) == 0;
}

// Steps over a whole line break, never into it.
size_t step_back(const std::string &text, size_t caret)
{
    if (caret >= LINE_BREAK_LENGTH && line_break_at(text, caret - LINE_BREAK_LENGTH)) {
        return caret - LINE_BREAK_LENGTH;
    }
    return caret > 0 ? caret - 1 : 0;
}

size_t step_forward(const std::string &text, size_t caret)
{
    if (line_break_at(text, caret)) {
        return caret + LINE_BREAK_LENGTH;
    }
    return std::min(caret + 1, text.size());
}

void insert(Window &window, EditState &state, const char *characters, size_t count)
{
    if (window.title.size() + count > TEXT_LIMIT) {
        return;
    }
    window.title.insert(state.caret, characters, count);
    state.caret += count;
}

void type_character(Window &window, EditState &state, WPARAM character)
{
    if (character == BACKSPACE) {
        const size_t from = step_back(window.title, state.caret);
        window.title.erase(from, state.caret - from);
        state.caret = from;
    } else if (character == '\r' || character == '\n') {
        if (is_multi_line(window)) {
            insert(window, state, LINE_BREAK, LINE_BREAK_LENGTH);
        }
    } else if (character >= FIRST_PRINTABLE && character <= LAST_CHARACTER) {
        const char byte = static_cast<char>(character);
        insert(window, state, &byte, 1);
    }
}

// Up and Down keep the caret's distance from the left edge.
size_t caret_on_neighbour_line(HWND hwnd, const Window &window, size_t caret, bool down)
{
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous_font = classic::prepare_text(dc);
    const EditLayout layout = lay_out(hwnd, dc, window);
    const size_t line = line_of(layout, caret);
    size_t result = caret;
    if (down ? line + 1 < layout.lines.size() : line > 0) {
        const int x = x_of(dc, window.title, layout.lines[line], caret);
        result = position_at(dc, window.title, layout.lines[down ? line + 1 : line - 1], x);
    }
    SelectObject(dc, previous_font);
    ReleaseDC(hwnd, dc);
    return result;
}

// Returns whether the key is one the field handles.
bool press_key(HWND hwnd, Window &window, EditState &state, WPARAM key)
{
    std::string &text = window.title;
    switch (key) {
    case VK_LEFT:
        state.caret = step_back(text, state.caret);
        return true;
    case VK_RIGHT:
        state.caret = step_forward(text, state.caret);
        return true;
    case VK_HOME:
    case VK_END: {
        const EditLayout layout = lay_out(hwnd, window);
        const TextLine &line = layout.lines[line_of(layout, state.caret)];
        state.caret = key == VK_HOME ? line.start : line.end;
        return true;
    }
    case VK_UP:
    case VK_DOWN:
        state.caret = caret_on_neighbour_line(hwnd, window, state.caret, key == VK_DOWN);
        return true;
    case VK_DELETE:
        text.erase(state.caret, step_forward(text, state.caret) - state.caret);
        return true;
    default:
        return false;
    }
}

void click(HWND hwnd, const Window &window, EditState &state, LPARAM position)
{
    SetFocus(hwnd);
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous_font = classic::prepare_text(dc);
    const EditLayout layout = lay_out(hwnd, dc, window);
    const int row = std::max(0, static_cast<short>(HIWORD(position)) / layout.line_height);
    const size_t line = std::min(state.first_line + static_cast<size_t>(row), layout.lines.size() - 1);
    state.caret = position_at(dc, window.title, layout.lines[line], static_cast<short>(LOWORD(position)));
    SelectObject(dc, previous_font);
    ReleaseDC(hwnd, dc);
}

void paint_edit(HWND hwnd, const Window &window, EditState &state)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    classic::fill(dc, client, classic::WINDOW_BACKGROUND);
    HGDIOBJ previous_font = classic::prepare_text(dc);
    const EditLayout layout = lay_out(hwnd, dc, window);
    state.caret = std::min(state.caret, window.title.size());
    scroll_to_caret(state, layout);
    const size_t last = std::min(layout.lines.size(), state.first_line + layout.visible_lines + 1);
    for (size_t i = state.first_line; i < last; ++i) {
        const TextLine &line = layout.lines[i];
        const int y = static_cast<int>(i - state.first_line) * layout.line_height;
        TextOutA(dc, MARGIN, y, window.title.data() + line.start, static_cast<int>(line.end - line.start));
    }
    if (GetFocus() == hwnd) {
        const size_t line = line_of(layout, state.caret);
        const int x = x_of(dc, window.title, layout.lines[line], state.caret);
        const int y = static_cast<int>(line - state.first_line) * layout.line_height;
        classic::fill(dc, RECT{x, y, x + CARET_WIDTH, y + layout.line_height}, classic::TEXT);
    }
    SelectObject(dc, previous_font);
    EndPaint(hwnd, &paint);
}

}  // namespace

LRESULT CALLBACK edit_control_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *window = window_from(hwnd);
    if (window == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    EditState &state = edits[hwnd];
    state.caret = std::min(state.caret, window->title.size());
    switch (message) {
    case WM_PAINT:
        paint_edit(hwnd, *window, state);
        return 0;
    case WM_CHAR:
        type_character(*window, state, wParam);
        changed(hwnd, state, *window);
        return 0;
    case WM_KEYDOWN:
        if (press_key(hwnd, *window, state, wParam)) {
            changed(hwnd, state, *window);
        }
        return 0;
    case WM_LBUTTONDOWN:
        click(hwnd, *window, state, lParam);
        changed(hwnd, state, *window);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETTEXT:
        state = EditState{0, 0};
        return set_text_and_repaint(hwnd, wParam, lParam);
    case WM_NCDESTROY:
        edits.erase(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace qz370::platform
