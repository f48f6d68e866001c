// The text window and line input. Click anywhere and the program asks your
// name in the dialog of QZ370_gets; or type it into the graphics window and
// press Enter. Either way it greets you on the picture and in the text window,
// which keeps the last 25 lines printed.
#include <qz370.h>

static const int TEXT_X = -280;
static const int TEXT_SIZE = 20;
static const int HINT_SIZE = 14;
static const int GETS_BUFFER_SIZE = 256;  // what QZ370_gets may fill
static const char ENTER = '\r';

static char name[GETS_BUFFER_SIZE];
static int name_length = 0;
static int greetings = 0;

static void greet()
{
    greetings++;
    QZ370_print("Hello, %s! (greeting %d)\n", name, greetings);
    QZ370_rectangle(QZ370_WHITE, -300, 60, 300, -60, 0);
    QZ370_text_printf(QZ370_PURPLE, TEXT_X, 0, TEXT_SIZE, "Hello, %s!", name);
    name_length = 0;
    name[0] = '\0';
}

static void ask_in_dialog()
{
    if (QZ370_gets("What is your name?", name)) {
        greet();
    }
}

static void type(char key)
{
    if (key == ENTER) {
        greet();
    } else if (key >= ' ' && name_length < GETS_BUFFER_SIZE - 1) {
        name[name_length++] = key;
        name[name_length] = '\0';
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);  // the text window is for the greetings
    QZ370_clear_graphics();
    QZ370_text(QZ370_BLACK, TEXT_X, 200, HINT_SIZE, "Click to give your name, or type it and press Enter.");
    QZ370_print("Waiting for a name\n");

    int x = 0;
    int y = 0;
    char key = 0;
    int kind;
    while ((kind = QZ370_next_event(&x, &y, &key)) != QZ370_EXIT) {
        if (kind == QZ370_MOUSE) {
            ask_in_dialog();
        } else if (kind == QZ370_KBD) {
            type(key);
        }
    }
    QZ370_end();
    return 0;
}
