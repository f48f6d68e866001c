// The classic grey look the built-in controls draw themselves in, with the
// platform's GDI calls.
#pragma once

#include <windows.h>

namespace qz370::platform::classic {

constexpr COLORREF FACE = RGB(192, 192, 192);
constexpr COLORREF HIGHLIGHT = RGB(255, 255, 255);
constexpr COLORREF SHADOW = RGB(128, 128, 128);
constexpr COLORREF DARK_SHADOW = RGB(0, 0, 0);
constexpr COLORREF WINDOW_BACKGROUND = RGB(255, 255, 255);
constexpr COLORREF TEXT = RGB(0, 0, 0);

// Boxes leave out their right column and bottom row, as GDI's do.
void fill(HDC dc, const RECT &box, COLORREF colour);
void outline(HDC dc, const RECT &box, COLORREF colour);
// A 1-pixel edge: top and left in one colour, bottom and right in the other.
void bevel(HDC dc, const RECT &box, COLORREF top_left, COLORREF bottom_right);
void focus_outline(HDC dc, const RECT &box);  // dotted

// Selects the system font and transparent black text; returns the font it replaced.
HGDIOBJ prepare_text(HDC dc);
int line_height(HDC dc);
int text_width(HDC dc, const char *text, int count);

}  // namespace qz370::platform::classic
