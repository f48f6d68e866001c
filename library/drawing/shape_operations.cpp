// The public shape operations. The integer forms only gather their points;
// each point form repairs, logs and renders in its own fixed order, which
// decides the order of the notices when several repairs fire.
#include "argument_repair.h"
#include "coordinate_mapping.h"
#include "library_state.h"

static DrawCommand shape_command(int32_t kind, int colour, int width, Point p1, Point p2)
{
    DrawCommand command = {};
    command.kind = kind;
    command.color = colour;
    command.width = width;
    command.points.x1 = p1.x;
    command.points.y1 = p1.y;
    command.points.x2 = p2.x;
    command.points.y2 = p2.y;
    return command;
}

// The log line of a rectangle or an oval; the two word an outline's width
// differently.
static void log_box(const char *shape, const char *width_wording, int colour, Point p1, Point p2, int width)
{
    if (width == 0) {
        QZ370_print("%s %s with bounding box (%d,%d) to (%d,%d), filled\n", Palette[colour].name, shape, p1.x, p1.y,
                    p2.x, p2.y);
    } else {
        QZ370_print("%s %s with bounding box (%d,%d) to (%d,%d)%s %d\n", Palette[colour].name, shape, p1.x, p1.y,
                    p2.x, p2.y, width_wording, width);
    }
}

int QZ370_pixel_pt(int colour, Point p)
{
    colour = check_color(colour);
    if (logging) {
        QZ370_print("%s pixel at (%d,%d)\n", Palette[colour].name, p.x, p.y);
    }
    render_command(shape_command(CMD_PIXEL, colour, 0, p, p));
    return 1;
}

// A circle is a filled oval whose box is the circle's square.
int QZ370_circle_pt(int colour, Point centre, int radius)
{
    colour = check_color(colour);
    radius = repair_radius(radius);
    if (logging) {
        QZ370_print("%s circle at (%d,%d), radius %d\n", Palette[colour].name, centre.x, centre.y, radius);
    }
    const Point upper_left = {saturate_to_int32(int64_t{centre.x} - radius),
                              saturate_to_int32(int64_t{centre.y} + radius)};
    const Point lower_right = {saturate_to_int32(int64_t{centre.x} + radius),
                               saturate_to_int32(int64_t{centre.y} - radius)};
    render_command(shape_command(CMD_OVAL, colour, 0, upper_left, lower_right));
    return 1;
}

int QZ370_triangle_pt(int colour, Point p1, Point p2, Point p3, int width)
{
    colour = check_color(colour);
    width = repair_width(width);
    if (logging) {
        QZ370_print("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", Palette[colour].name, p1.x, p1.y, p2.x, p2.y,
                    p3.x, p3.y);
    }
    DrawCommand command = shape_command(CMD_TRIANGLE, colour, width, p1, p2);
    command.points.x3 = p3.x;
    command.points.y3 = p3.y;
    render_command(command);
    return 1;
}

int QZ370_rectangle_pt(int colour, Point p1, Point p2, int width)
{
    order_corners(p1, p2);
    colour = check_color(colour);
    width = repair_width(width);
    if (logging) {
        log_box("rectangle", " with line width", colour, p1, p2, width);
    }
    render_command(shape_command(CMD_RECTANGLE, colour, width, p1, p2));
    return 1;
}

// The oval repairs its width before its colour, unlike the rectangle.
int QZ370_oval_pt(int colour, Point p1, Point p2, int width)
{
    order_corners(p1, p2);
    width = repair_width(width);
    colour = check_color(colour);
    if (logging) {
        log_box("oval", ", line width", colour, p1, p2, width);
    }
    render_command(shape_command(CMD_OVAL, colour, width, p1, p2));
    return 1;
}

// Width 0 is logged as given but drawn one pixel wide.
int QZ370_line_pt(int colour, Point p1, Point p2, int width)
{
    width = repair_width(width);
    colour = check_color(colour);
    if (logging) {
        QZ370_print("%s line from (%d,%d) to (%d,%d), width %d\n", Palette[colour].name, p1.x, p1.y, p2.x, p2.y,
                    width);
    }
    if (width == 0) {
        width = 1;
    }
    render_command(shape_command(CMD_LINE, colour, width, p1, p2));
    return 1;
}

int QZ370_pixel(int colour, int x, int y)
{
    return QZ370_pixel_pt(colour, Point{x, y});
}

int QZ370_circle(int colour, int x, int y, int radius)
{
    return QZ370_circle_pt(colour, Point{x, y}, radius);
}

int QZ370_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width)
{
    return QZ370_triangle_pt(colour, Point{x1, y1}, Point{x2, y2}, Point{x3, y3}, width);
}

int QZ370_rectangle(int colour, int x1, int y1, int x2, int y2, int width)
{
    return QZ370_rectangle_pt(colour, Point{x1, y1}, Point{x2, y2}, width);
}

int QZ370_oval(int colour, int x1, int y1, int x2, int y2, int width)
{
    return QZ370_oval_pt(colour, Point{x1, y1}, Point{x2, y2}, width);
}

int QZ370_line(int colour, int x1, int y1, int x2, int y2, int width)
{
    return QZ370_line_pt(colour, Point{x1, y1}, Point{x2, y2}, width);
}
