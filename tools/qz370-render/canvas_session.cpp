#include "canvas_session.h"

#include <cstdio>
#include <vector>

#include "library_state.h"

namespace qz370::render_tool {

namespace {

using commands::Command;
using commands::Op;

constexpr uint64_t FNV_OFFSET = 1469598103934665603ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;

int canvas_width = 0;
int canvas_height = 0;
HGDIOBJ initial_bitmap = nullptr;

void paint_white() {
    COLORREF white = Palette[WHITE_INDEX].value;
    HPEN pen = CreatePen(PS_SOLID, 1, white);
    HBRUSH brush = CreateSolidBrush(white);
    HGDIOBJ kept_pen = SelectObject(canvas_dc, pen);
    HGDIOBJ kept_brush = SelectObject(canvas_dc, brush);
    Rectangle(canvas_dc, 0, 0, canvas_width, canvas_height);
    SelectObject(canvas_dc, kept_pen);
    SelectObject(canvas_dc, kept_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// Text goes to the renderer in a movable block, as the drawing operations hand it over.
void draw_text(const Command &command) {
    HGLOBAL block = copy_to_block(command.text.c_str(), command.text.size());
    if (!block) return;
    DrawCommand draw = {};
    draw.kind = CMD_TEXT;
    draw.color = command.numbers[0];
    draw.text = {command.numbers[1], command.numbers[2], command.numbers[3], block};
    render_command(draw);
    GlobalFree(block);
}

int32_t kind_of(Op op) {
    switch (op) {
        case Op::Triangle: return CMD_TRIANGLE;
        case Op::Rectangle: return CMD_RECTANGLE;
        case Op::Oval: return CMD_OVAL;
        case Op::Line: return CMD_LINE;
        default: return CMD_PIXEL;
    }
}

void draw_shape(const Command &command) {
    DrawCommand draw = {};
    draw.kind = kind_of(command.op);
    draw.color = command.numbers[0];
    const int *n = command.numbers;
    if (command.op == Op::Pixel) {
        draw.points = {n[1], n[2], 0, 0, 0, 0};
    } else {
        draw.width = n[1];
        draw.points = {n[2], n[3], n[4], n[5], n[6], n[7]};
    }
    render_command(draw);
}

}  // namespace

bool open_canvas(int width, int height, int centre_x_pixel, int centre_y_pixel) {
    close_canvas();
    HDC screen = GetDC(nullptr);
    canvas_bitmap = CreateCompatibleBitmap(screen, width, height);
    if (!canvas_bitmap) {
        ReleaseDC(nullptr, screen);
        return false;
    }
    canvas_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    initial_bitmap = SelectObject(canvas_dc, canvas_bitmap);
    canvas_width = width;
    canvas_height = height;
    centre_x = centre_x_pixel;
    centre_y = centre_y_pixel;
    paint_white();
    return true;
}

void close_canvas() {
    if (!canvas_dc) return;
    SelectObject(canvas_dc, initial_bitmap);
    DeleteObject(canvas_bitmap);
    DeleteDC(canvas_dc);
    canvas_dc = nullptr;
    canvas_bitmap = nullptr;
}

void draw(const Command &command) {
    if (command.op == Op::Erase)
        erase_canvas();
    else if (command.op == Op::Text)
        draw_text(command);
    else
        draw_shape(command);
}

bool save_ppm(const std::string &path, uint64_t *hash) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", canvas_width, canvas_height);
    std::vector<unsigned char> row(static_cast<size_t>(canvas_width) * 3);
    *hash = FNV_OFFSET;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            COLORREF c = GetPixel(canvas_dc, x, y);
            row[x * 3 + 0] = GetRValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetBValue(c);
        }
        for (unsigned char b : row) *hash = (*hash ^ b) * FNV_PRIME;
        std::fwrite(row.data(), 1, row.size(), file);
    }
    return std::fclose(file) == 0;
}

}  // namespace qz370::render_tool
