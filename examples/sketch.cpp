// Mouse and keyboard. Each click draws a dot and joins it to the dot before;
// each typed character joins a line of text at the bottom of the picture.
// Backspace takes the last character back, and Enter prints the line in the
// text window and starts a new one.
#include <qz370.h>

static const int DOT_RADIUS = 4;
static const int LINE_WIDTH = 2;
static const int TEXT_X = -280;
static const int TEXT_Y = -230;
static const int TEXT_SIZE = 16;
static const int MAX_TYPED = 60;
static const char ENTER = '\r';
static const char BACKSPACE = '\b';

static char typed[MAX_TYPED + 1];
static int typed_length = 0;

static void draw_typed_line()
{
    QZ370_rectangle(QZ370_WHITE, -300, TEXT_Y + TEXT_SIZE + 4, 300, -260, 0);
    QZ370_text_printf(QZ370_NAVY_BLUE, TEXT_X, TEXT_Y, TEXT_SIZE, "> %s", typed);
}

static void type(char key)
{
    if (key == ENTER) {
        QZ370_print("You typed: %s\n", typed);
        typed_length = 0;
    } else if (key == BACKSPACE && typed_length > 0) {
        typed_length--;
    } else if (key >= ' ' && typed_length < MAX_TYPED) {
        typed[typed_length++] = key;
    }
    typed[typed_length] = '\0';
    draw_typed_line();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);  // the text window is for the typed lines
    QZ370_clear_graphics();
    QZ370_text(QZ370_BLACK, TEXT_X, 225, TEXT_SIZE, "Click to draw, type to write, Enter to print.");
    draw_typed_line();

    bool has_last_dot = false;
    Point last_dot = {0, 0};
    Point at = {0, 0};
    char key = 0;
    int kind;
    while ((kind = QZ370_next_event(&at.x, &at.y, &key)) != QZ370_EXIT) {
        if (kind == QZ370_MOUSE) {
            if (has_last_dot) {
                QZ370_line_pt(QZ370_BLUE, last_dot, at, LINE_WIDTH);
            }
            QZ370_circle_pt(QZ370_BLACK, at, DOT_RADIUS);
            last_dot = at;
            has_last_dot = true;
        } else if (kind == QZ370_KBD) {
            type(key);
        }
    }
    QZ370_end();
    return 0;
}
