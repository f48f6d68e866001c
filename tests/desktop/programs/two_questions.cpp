// A program that asks two questions in a row, then prints every key typed
// into the graphics window, until it is told to quit. What it prints goes to
// stdout, for the desktop tests to read.
#include <qz370.h>

#include <cstdio>

namespace {

constexpr int ANSWER_SIZE = 256;

void ask(const char *prompt)
{
    char answer[ANSWER_SIZE];
    if (QZ370_gets(prompt, answer)) {
        std::printf("answer: %s\n", answer);
    } else {
        std::printf("no dialog\n");
    }
    std::fflush(stdout);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    QZ370_begin(instance, previous_instance, command_line, show_command);
    QZ370_set_logging(0);
    QZ370_clear_graphics();
    ask("First question?");
    ask("Second question?");
    char key = 0;
    while (QZ370_next_event(nullptr, nullptr, &key) != QZ370_EXIT) {
        if (key != 0) {
            std::printf("key: %c\n", key);
            std::fflush(stdout);
        }
    }
    QZ370_end();
    return 0;
}
