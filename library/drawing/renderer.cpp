// Puts one drawing command on the canvas through its memory drawing context.
// Every pen, brush and font made here is selected out and deleted before
// returning, so between commands the context holds its initial objects.
#include <climits>
#include <cstring>

#include "argument_repair.h"
#include "coordinate_mapping.h"
#include "library_state.h"
#include "shape_clipping.h"

// No face of this name exists: the font mapper substitutes one of the
// requested height and weight.
constexpr const char *TEXT_FONT_FACE = "QZ370-font";

// The drawing operations hand over checked colours and sizes; whatever else a
// command holds still draws something, never reads past the palette or
// overflows.
static COLORREF colour_value(int32_t colour)
{
    return colour >= 0 && colour < PALETTE_SIZE ? Palette[colour].value : Palette[ILLEGAL_COLOUR_REPLACEMENT].value;
}

// CreateFontA reads a negative height as the em.
static int em_height(int32_t ptsize)
{
    return negated_in_range(ptsize);
}

// Width 0 fills the shape in the pen's colour; a wider pen only outlines it.
static HBRUSH make_shape_brush(const DrawCommand &command)
{
    if (command.width == 0) {
        return CreateSolidBrush(colour_value(command.color));
    }
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// A shape's pen and brush while they are selected into the canvas context,
// with the objects they replaced there.
struct ShapeTools {
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ kept_pen;
    HGDIOBJ kept_brush;
};

static ShapeTools select_shape_tools(const DrawCommand &command)
{
    ShapeTools tools;
    tools.pen = CreatePen(PS_SOLID, command.width, colour_value(command.color));
    tools.brush = make_shape_brush(command);
    tools.kept_pen = SelectObject(canvas_dc, tools.pen);
    tools.kept_brush = SelectObject(canvas_dc, tools.brush);
    return tools;
}

static void release_shape_tools(const ShapeTools &tools)
{
    SelectObject(canvas_dc, tools.kept_pen);
    SelectObject(canvas_dc, tools.kept_brush);
    DeleteObject(tools.pen);
    DeleteObject(tools.brush);
}

static void render_triangle(const DrawCommand &command)
{
    const ShapePoints &p = command.points;
    const CanvasPoint corners[3] = {mapped_point(p.x1, p.y1), mapped_point(p.x2, p.y2), mapped_point(p.x3, p.y3)};
    POINT cut[MOST_CUT_CORNERS];
    const int count = cut_triangle_to_canvas(corners, cut);
    if (count == 0) {
        return;
    }
    const ShapeTools tools = select_shape_tools(command);
    Polygon(canvas_dc, cut, count);
    release_shape_tools(tools);
}

// The platform leaves a box's right column and bottom row out; one more on
// each makes both corner pixels part of the box.
static void render_box(const DrawCommand &command)
{
    const ShapePoints &p = command.points;
    const ShapeTools tools = select_shape_tools(command);
    const int left = canvas_x(p.x1);
    const int top = canvas_y(p.y1);
    const int right = saturate_to_int32(int64_t{centre_x} + p.x2 + 1);
    const int bottom = saturate_to_int32(int64_t{centre_y} - p.y2 + 1);
    if (command.kind == CMD_RECTANGLE) {
        Rectangle(canvas_dc, left, top, right, bottom);
    } else {
        Ellipse(canvas_dc, left, top, right, bottom);
    }
    release_shape_tools(tools);
}

// A one-pixel box is four zero-length edges to the platform, and a pen of one
// pixel draws nothing along them; the box still owns its pixel.
static bool is_lone_pixel_box(const DrawCommand &command)
{
    const ShapePoints &p = command.points;
    return p.x1 == p.x2 && p.y1 == p.y2 && command.width <= 1;
}

static void render_line(const DrawCommand &command)
{
    const ShapePoints &p = command.points;
    POINT from;
    POINT to;
    if (!cut_line_to_canvas(mapped_point(p.x1, p.y1), mapped_point(p.x2, p.y2), from, to)) {
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, command.width, colour_value(command.color));
    HGDIOBJ kept_pen = SelectObject(canvas_dc, pen);
    MoveToEx(canvas_dc, from.x, from.y, nullptr);
    LineTo(canvas_dc, to.x, to.y);
    SelectObject(canvas_dc, kept_pen);
    DeleteObject(pen);
}

static void render_pixel(const DrawCommand &command)
{
    SetPixel(canvas_dc, canvas_x(command.points.x1), canvas_y(command.points.y1), colour_value(command.color));
}

// The GDI text calls count in int; no real text comes near that.
static int gdi_count(size_t bytes)
{
    return bytes > INT_MAX ? INT_MAX : static_cast<int>(bytes);
}

// Each line is drawn with the top-left corner of its cell at the point; the
// first line's cell sits directly above the anchor row, each further line one
// line height lower.
static void draw_text_lines(const TextPart &text, const char *s)
{
    const size_t len = strlen(s);
    SIZE extent = {0, 0};
    GetTextExtentPointA(canvas_dc, s, gdi_count(len), &extent);
    const int64_t line_height = extent.cy;
    const int32_t x = canvas_x(text.x);
    const int64_t anchor_y = int64_t{centre_y} - text.y;
    size_t start = 0;
    for (int64_t k = 0;; ++k) {
        size_t n = 0;
        while (start + n < len && s[start + n] != '\n') {
            ++n;
        }
        const int32_t y = saturate_to_int32(anchor_y + (k - 1) * line_height);
        TextOutA(canvas_dc, x, y, s + start, gdi_count(n));
        if (start + n >= len) {
            break;
        }
        start += n + 1;
    }
}

static void render_text(const DrawCommand &command)
{
    SetTextColor(canvas_dc, colour_value(command.color));
    const int kept_mode = GetBkMode(canvas_dc);
    SetBkMode(canvas_dc, TRANSPARENT);
    HFONT font = CreateFontA(em_height(command.text.ptsize), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             TEXT_FONT_FACE);
    HGDIOBJ kept_font = SelectObject(canvas_dc, font);
    const char *s = static_cast<const char *>(GlobalLock(command.text.text));
    if (s != nullptr) {
        draw_text_lines(command.text, s);
        GlobalUnlock(command.text.text);
    }
    SetBkMode(canvas_dc, kept_mode);
    SelectObject(canvas_dc, kept_font);
    DeleteObject(font);
}

void render_command(const DrawCommand &command)
{
    switch (command.kind) {
    case CMD_TRIANGLE:
        render_triangle(command);
        break;
    case CMD_RECTANGLE:
    case CMD_OVAL:
        if (is_lone_pixel_box(command)) {
            render_pixel(command);
        } else {
            render_box(command);
        }
        break;
    case CMD_LINE:
        render_line(command);
        break;
    case CMD_PIXEL:
        render_pixel(command);
        break;
    case CMD_TEXT:
        render_text(command);
        break;
    default:
        break;
    }
    canvas_dirty = 1;
}

// The pen is the context's initial one-pixel black pen, so the erased canvas
// keeps a black frame on its outermost rows and columns.
void erase_canvas()
{
    HBRUSH brush = CreateSolidBrush(Palette[WHITE_INDEX].value);
    HGDIOBJ kept_brush = SelectObject(canvas_dc, brush);
    Rectangle(canvas_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT);
    SelectObject(canvas_dc, kept_brush);
    DeleteObject(brush);
    canvas_dirty = 1;
}
