// A program built on the library that misbehaves on request, for the replay
// tool's tests: REPLAY_SUBJECT names what it does after its first event.
//   print-lines  prints lines with and without line ends, and one too long
//   fail         prints a line, then returns 5
//   never-waits  goes on drawing and never waits again
//   own-loop     takes messages in a loop of its own, never asking for an event
#include <qz370.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int FAILURE_STATUS = 5;
constexpr int LONGER_THAN_A_PRINTED_LINE = 1100;
constexpr int WHITE = 1;

bool subject_is(const char *mode)
{
    const char *subject = std::getenv("REPLAY_SUBJECT");
    return subject != nullptr && std::strcmp(subject, mode) == 0;
}

void print_lines()
{
    QZ370_print("first");
    QZ370_print("second\n");
    QZ370_print("third\nfourth");
    QZ370_print("%s\n", std::string(LONGER_THAN_A_PRINTED_LINE, 'x').c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);
    int x = 0;
    int y = 0;
    char key = 0;
    QZ370_next_event(&x, &y, &key);
    if (subject_is("print-lines")) {
        print_lines();
    } else if (subject_is("fail")) {
        QZ370_print("about to fail\n");
        return FAILURE_STATUS;
    } else if (subject_is("own-loop")) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
        return 0;
    } else if (subject_is("never-waits")) {
        for (;;) {
            QZ370_rectangle(WHITE, -10, 10, 10, -10, 1);
        }
    }
    while (QZ370_next_event(&x, &y, &key) != QZ370_EXIT) {
    }
    QZ370_end();
    return 0;
}
