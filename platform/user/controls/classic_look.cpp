// Drawing the classic grey look.
#include "user/controls/classic_look.h"

namespace qz370::platform::classic {

namespace {

constexpr int FOCUS_DOT_SPACING = 2;

// Selects a 1-pixel pen of the colour for the call's lifetime.
class PenScope {
public:
    PenScope(HDC dc, COLORREF colour) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, colour))
    {
        previous_ = SelectObject(dc_, pen_);
    }
    ~PenScope()
    {
        SelectObject(dc_, previous_);
        DeleteObject(pen_);
    }
    PenScope(const PenScope &) = delete;
    PenScope &operator=(const PenScope &) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ previous_;
};

}  // namespace

// A pen of the fill's own colour makes the filled area exactly the box.
void fill(HDC dc, const RECT &box, COLORREF colour)
{
    if (box.right <= box.left || box.bottom <= box.top) {
        return;
    }
    PenScope pen(dc, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous_brush = SelectObject(dc, brush);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previous_brush);
    DeleteObject(brush);
}

void outline(HDC dc, const RECT &box, COLORREF colour)
{
    bevel(dc, box, colour, colour);
}

void bevel(HDC dc, const RECT &box, COLORREF top_left, COLORREF bottom_right)
{
    if (box.right <= box.left || box.bottom <= box.top) {
        return;
    }
    const int right = box.right - 1;
    const int bottom = box.bottom - 1;
    {
        PenScope pen(dc, top_left);
        MoveToEx(dc, box.left, bottom, nullptr);
        LineTo(dc, box.left, box.top);
        LineTo(dc, right, box.top);
    }
    PenScope pen(dc, bottom_right);
    MoveToEx(dc, box.left, bottom, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, right, box.top - 1);
}

void focus_outline(HDC dc, const RECT &box)
{
    for (int x = box.left; x < box.right; x += FOCUS_DOT_SPACING) {
        SetPixel(dc, x, box.top, TEXT);
        SetPixel(dc, x, box.bottom - 1, TEXT);
    }
    for (int y = box.top; y < box.bottom; y += FOCUS_DOT_SPACING) {
        SetPixel(dc, box.left, y, TEXT);
        SetPixel(dc, box.right - 1, y, TEXT);
    }
}

HGDIOBJ prepare_text(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TEXT);
    return SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

int line_height(HDC dc)
{
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight > 0 ? metrics.tmHeight : 1;
}

int text_width(HDC dc, const char *text, int count)
{
    SIZE size{};
    GetTextExtentPointA(dc, text, count, &size);
    return size.cx;
}

}  // namespace qz370::platform::classic
