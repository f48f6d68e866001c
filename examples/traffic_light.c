/* A traffic light, written in C: the lamps change with the periodic events,
 * ten a second while the animation runs, and each new phase is printed to the
 * text window. A click halts the light or sets it going again. The colours
 * are the palette's, by name. */
#include <qz370.h>

#define HOUSING_HALF_WIDTH 60
#define HOUSING_HALF_HEIGHT 170
#define LAMP_RADIUS 45
#define LAMP_STEP 105
#define DARK_LAMP QZ370_GRAY_50
#define CAPTION_X -280
#define CAPTION_Y -225
#define CAPTION_SIZE 14

struct Phase {
    const char *name;
    int red_lit;
    int yellow_lit;
    int green_lit;
    int ticks;
};

static const struct Phase PHASES[] = {
    {"stop", 1, 0, 0, 30},
    {"get ready", 1, 1, 0, 10},
    {"go", 0, 0, 1, 30},
    {"caution", 0, 1, 0, 10},
};
#define PHASE_COUNT ((int)(sizeof PHASES / sizeof PHASES[0]))

static void draw_lamp(int lit, int colour, int y)
{
    QZ370_circle(lit ? colour : DARK_LAMP, 0, y, LAMP_RADIUS);
}

static void draw_light(const struct Phase *phase, int halted)
{
    QZ370_rectangle(QZ370_BLACK, -HOUSING_HALF_WIDTH, HOUSING_HALF_HEIGHT, HOUSING_HALF_WIDTH, -HOUSING_HALF_HEIGHT,
                    0);
    draw_lamp(phase->red_lit, QZ370_RED, LAMP_STEP);
    draw_lamp(phase->yellow_lit, QZ370_YELLOW, 0);
    draw_lamp(phase->green_lit, QZ370_GREEN, -LAMP_STEP);
    QZ370_rectangle(QZ370_WHITE, -290, CAPTION_Y - 10, 290, CAPTION_Y + CAPTION_SIZE + 4, 0);
    QZ370_text_printf(QZ370_NAVY_BLUE, CAPTION_X, CAPTION_Y, CAPTION_SIZE, "%s%s. Click to %s.", phase->name,
                      halted ? ", halted" : "", halted ? "go on" : "halt");
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    int phase = 0;
    int ticks = 0;
    int halted = 0;
    int x = 0;
    int y = 0;
    char key = 0;
    int kind;

    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0); /* the text window is for the phases */
    QZ370_clear_graphics();
    QZ370_set_animation(QZ370_RUN);
    QZ370_print("%s\n", PHASES[phase].name);
    draw_light(&PHASES[phase], halted);

    while ((kind = QZ370_next_event(&x, &y, &key)) != QZ370_EXIT) {
        if (kind == QZ370_PERIODIC && ++ticks == PHASES[phase].ticks) {
            phase = (phase + 1) % PHASE_COUNT;
            ticks = 0;
            QZ370_print("%s\n", PHASES[phase].name);
        } else if (kind == QZ370_MOUSE) {
            halted = !halted;
            QZ370_set_animation(halted ? QZ370_HALT : QZ370_RUN);
            QZ370_print("%s at tick %d of %s\n", halted ? "Halted" : "Going on", ticks, PHASES[phase].name);
        }
        draw_light(&PHASES[phase], halted);
    }
    QZ370_end();
    return 0;
}
