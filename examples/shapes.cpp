// Shapes and the palette. The 24 colours stand in two rows of numbered
// swatches; below them every shape is drawn filled (width 0) and outlined.
// Click a swatch to draw the shapes in its colour.
//
// Logging is on when the library opens, so every drawing call also writes a
// line to the text window. The separating line is given a bad width on
// purpose: the library repairs it and says so there.
#include <qz370.h>

static const int SWATCHES_PER_ROW = 12;
static const int SWATCH_LEFT = -282;
static const int SWATCH_TOP = 230;
static const int SWATCH_STEP_X = 47;
static const int SWATCH_STEP_Y = 50;
static const int SWATCH_WIDTH = 40;
static const int SWATCH_HEIGHT = 30;
static const int LABEL_SIZE = 10;
static const int FILLED = 0;
static const int OUTLINE = 3;

static void draw_swatch(int colour)
{
    int left = SWATCH_LEFT + (colour % SWATCHES_PER_ROW) * SWATCH_STEP_X;
    int top = SWATCH_TOP - (colour / SWATCHES_PER_ROW) * SWATCH_STEP_Y;
    QZ370_rectangle(colour, left, top, left + SWATCH_WIDTH, top - SWATCH_HEIGHT, FILLED);
    QZ370_rectangle(QZ370_BLACK, left, top, left + SWATCH_WIDTH, top - SWATCH_HEIGHT, 1);
    QZ370_text_printf(QZ370_BLACK, left + 2, top - SWATCH_HEIGHT - 14, LABEL_SIZE, "%d", colour);
}

// The colour of the swatch under a click, or -1 between and around them.
static int swatch_at(int x, int y)
{
    if (x < SWATCH_LEFT || y > SWATCH_TOP) {
        return -1;
    }
    int column = (x - SWATCH_LEFT) / SWATCH_STEP_X;
    int row = (SWATCH_TOP - y) / SWATCH_STEP_Y;
    bool inside = (x - SWATCH_LEFT) % SWATCH_STEP_X <= SWATCH_WIDTH &&
                  (SWATCH_TOP - y) % SWATCH_STEP_Y <= SWATCH_HEIGHT;
    if (column >= SWATCHES_PER_ROW || row >= QZ370_PALETTE_SIZE / SWATCHES_PER_ROW || !inside) {
        return -1;
    }
    return row * SWATCHES_PER_ROW + column;
}

static void draw_shapes(int colour)
{
    QZ370_rectangle(QZ370_WHITE, -300, 110, 300, -250, FILLED);  // white over the last shapes

    QZ370_circle(colour, -220, 60, 40);  // always filled
    QZ370_triangle(colour, -130, 20, -50, 20, -90, 100, FILLED);
    QZ370_rectangle(colour, 0, 100, 100, 20, FILLED);
    QZ370_oval(colour, 150, 100, 280, 20, FILLED);

    QZ370_oval(colour, -260, -30, -180, -110, OUTLINE);  // an outlined circle is an oval
    QZ370_triangle(colour, -130, -110, -50, -110, -90, -30, OUTLINE);
    QZ370_rectangle(colour, 0, -30, 100, -110, OUTLINE);
    QZ370_oval(colour, 150, -30, 280, -110, OUTLINE);

    for (int width = 1; width <= 4; width++) {
        QZ370_line(colour, -260, -120 - 16 * width, 280, -140 - 16 * width, width);
    }
    QZ370_pixel(colour, 290, 0);  // one pixel, at the right edge
    QZ370_text_printf(QZ370_BLACK, -280, -225, 12, "Colour %d. Click a swatch to change it.", colour);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_clear_graphics();
    for (int colour = 0; colour < QZ370_PALETTE_SIZE; colour++) {
        draw_swatch(colour);
    }
    QZ370_line(QZ370_BLACK, -300, 120, 300, 120, -2);  // repaired to width 2, with a notice
    draw_shapes(QZ370_BLACK);

    int x = 0;
    int y = 0;
    char key = 0;
    int kind;
    while ((kind = QZ370_next_event(&x, &y, &key)) != QZ370_EXIT) {
        int colour = kind == QZ370_MOUSE ? swatch_at(x, y) : -1;
        if (colour >= 0) {
            draw_shapes(colour);
        }
    }
    QZ370_end();
    return 0;
}
