// A program built on the library that misbehaves on request, for the replay
// tool's tests: REPLAY_SUBJECT names what it does after its first event.
//   print-lines  prints lines with and without line ends, and one too long
//   fail         prints a line, then returns 5
//   crash        prints a line, then aborts
//   never-waits  prints a line, then goes on drawing and never waits again
//   own-loop     takes messages in a loop of its own, never asking for an event
// and what it does before:
//   no-window    ends at once, never opening the library
//   ends-at-once ends before its first wait
//   ends-after-7 ends by itself after seven events
//   asks-first   asks a name before its first wait and another after its
//                first event, printing each
#include <qz370.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int FAILURE_STATUS = 5;
constexpr int LONGER_THAN_A_PRINTED_LINE = 1100;
constexpr int WHITE = 1;
constexpr int EVENTS_BEFORE_ENDING = 7;
constexpr int NAME_SIZE = 64;

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

void greet()
{
    char name[NAME_SIZE] = {};
    QZ370_gets("Name?", name);
    QZ370_print("Hello, %s\n", name);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    if (subject_is("no-window")) {
        return 0;
    }
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);
    int x = 0;
    int y = 0;
    char key = 0;
    if (subject_is("asks-first")) {
        greet();
        QZ370_next_event(&x, &y, &key);
        greet();
    }
    if (subject_is("ends-at-once")) {
        QZ370_end();
        return 0;
    }
    if (subject_is("ends-after-7")) {
        for (int event = 0; event < EVENTS_BEFORE_ENDING; ++event) {
            QZ370_next_event(&x, &y, &key);
        }
        QZ370_end();
        return 0;
    }
    QZ370_next_event(&x, &y, &key);
    if (subject_is("print-lines")) {
        print_lines();
    } else if (subject_is("fail")) {
        QZ370_print("about to \x1B[1mfail\n");
        return FAILURE_STATUS;
    } else if (subject_is("crash")) {
        QZ370_print("about to crash\n");
        std::abort();
    } else if (subject_is("own-loop")) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
        return 0;
    } else if (subject_is("never-waits")) {
        QZ370_print("drawing for ever\n");
        for (;;) {
            QZ370_rectangle(WHITE, -10, 10, 10, -10, 1);
        }
    }
    while (QZ370_next_event(&x, &y, &key) != QZ370_EXIT) {
    }
    QZ370_end();
    return 0;
}
