// Breaking a control's text into the lines it shows: at its line breaks
// (CR LF, or a lone LF), and, when wrapping, at the last blank that lets a
// line fit the width, or inside a word too long for any line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qz370::platform {

struct TextLine {
    size_t start;  // first byte shown
    size_t end;    // one past the last byte shown; the line break is not shown
    size_t next;   // where the following line starts
};

// Measures with the font selected into dc. With wrap unset only the text's own
// line breaks end lines. Always gives at least one line.
std::vector<TextLine> lay_out_text(HDC dc, const std::string &text, int width, bool wrap);

}  // namespace qz370::platform
