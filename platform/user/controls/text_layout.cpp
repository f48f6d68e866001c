// Laying out a control's text in lines.
#include "user/controls/text_layout.h"

#include "user/controls/classic_look.h"

namespace qz370::platform {

namespace {

// The end of the paragraph starting at start, and where the next one starts.
void find_paragraph_end(const std::string &text, size_t start, size_t *end, size_t *next)
{
    const size_t newline = text.find('\n', start);
    if (newline == std::string::npos) {
        *end = text.size();
        *next = text.size();
        return;
    }
    *end = newline > start && text[newline - 1] == '\r' ? newline - 1 : newline;
    *next = newline + 1;
}

// Blanks may hang past the right edge; a line breaks after its last blank, or
// before the first character that does not fit when it has none.
void wrap_paragraph(HDC dc, const std::string &text, size_t start, size_t end, int width,
                    std::vector<TextLine> &lines)
{
    size_t line_start = start;
    size_t after_last_blank = std::string::npos;
    int line_width = 0;
    for (size_t i = start; i < end; ++i) {
        const int advance = classic::text_width(dc, &text[i], 1);
        if (text[i] != ' ' && i > line_start && line_width + advance > width) {
            const size_t line_end = after_last_blank != std::string::npos ? after_last_blank : i;
            lines.push_back(TextLine{line_start, line_end, line_end});
            line_start = line_end;
            after_last_blank = std::string::npos;
            line_width = classic::text_width(dc, &text[line_start], static_cast<int>(i - line_start));
        }
        line_width += advance;
        if (text[i] == ' ') {
            after_last_blank = i + 1;
        }
    }
    lines.push_back(TextLine{line_start, end, end});
}

}  // namespace

std::vector<TextLine> lay_out_text(HDC dc, const std::string &text, int width, bool wrap)
{
    std::vector<TextLine> lines;
    size_t start = 0;
    while (true) {
        size_t end;
        size_t next;
        find_paragraph_end(text, start, &end, &next);
        if (wrap) {
            wrap_paragraph(dc, text, start, end, width, lines);
        } else {
            lines.push_back(TextLine{start, end, end});
        }
        lines.back().next = next;
        if (next >= text.size() && end == next) {
            return lines;
        }
        start = next;
        if (start == text.size()) {
            lines.push_back(TextLine{start, start, start});
            return lines;
        }
    }
}

}  // namespace qz370::platform
