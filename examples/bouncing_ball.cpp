// An animation: a ball bounces around a box, one step for each periodic
// event, which the library hands out ten times a second while the animation
// runs. Type h to halt it, s to advance one frame, r to run again; the Run
// menu does the same with Ctrl+H, Ctrl+F and Ctrl+A.
#include <qz370.h>

static const int BOX_HALF_WIDTH = 200;
static const int BOX_HALF_HEIGHT = 150;
static const int BOX_LINE = 2;
static const int RADIUS = 12;
static const int TEXT_SIZE = 12;

struct Ball {
    int x;
    int y;
    int dx;
    int dy;
};

// A coordinate moves by its speed, turning back first if the step would take
// the ball through a wall.
static void bounce(int &position, int &speed, int limit)
{
    if (position + speed > limit || position + speed < -limit) {
        speed = -speed;
    }
    position += speed;
}

static void draw_frame(const Ball &ball, int steps)
{
    QZ370_clear_graphics();
    QZ370_rectangle(QZ370_BLACK, -BOX_HALF_WIDTH, BOX_HALF_HEIGHT, BOX_HALF_WIDTH, -BOX_HALF_HEIGHT, BOX_LINE);
    QZ370_circle(QZ370_ORANGE, ball.x, ball.y, RADIUS);
    QZ370_text_printf(QZ370_BLACK, -BOX_HALF_WIDTH, -BOX_HALF_HEIGHT - 25, TEXT_SIZE, "step %d   h halt, s step, r run",
                      steps);
}

// Keys choose the animation mode; the next waits follow it.
static void change_mode(char key, int steps)
{
    if (key == 'h') {
        QZ370_set_animation(QZ370_HALT);
        QZ370_print("Halted at step %d\n", steps);
    } else if (key == 's') {
        QZ370_set_animation(QZ370_ONE_FRAME);
    } else if (key == 'r') {
        QZ370_set_animation(QZ370_RUN);
        QZ370_print("Running from step %d\n", steps);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);  // the text window is for the program's own lines
    QZ370_set_animation(QZ370_RUN);

    Ball ball = {0, 0, 7, 5};
    int steps = 0;
    draw_frame(ball, steps);

    int x = 0;
    int y = 0;
    char key = 0;
    int kind;
    while ((kind = QZ370_next_event(&x, &y, &key)) != QZ370_EXIT) {
        if (kind == QZ370_PERIODIC) {
            bounce(ball.x, ball.dx, BOX_HALF_WIDTH - BOX_LINE - RADIUS);
            bounce(ball.y, ball.dy, BOX_HALF_HEIGHT - BOX_LINE - RADIUS);
            steps++;
        } else if (kind == QZ370_KBD) {
            change_mode(key, steps);
        }
        draw_frame(ball, steps);
    }
    QZ370_end();
    return 0;
}
