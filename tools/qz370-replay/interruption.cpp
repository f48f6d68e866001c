#include "interruption.h"

#include <csignal>

namespace replay {

namespace {

volatile std::sig_atomic_t noted_signal = 0;
void (*clean_up_on_stop)() = nullptr;

void note_signal(int number) { noted_signal = number; }

void catch_signal(int number) {
    struct sigaction current {};
    if (sigaction(number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction noting {};
    noting.sa_handler = note_signal;
    sigemptyset(&noting.sa_mask);
    // No SA_RESTART: a wait for the program ends at the signal.
    noting.sa_flags = SA_RESETHAND;
    sigaction(number, &noting, nullptr);
}

}  // namespace

void catch_interruptions(void (*clean_up)()) {
    clean_up_on_stop = clean_up;
    catch_signal(SIGINT);
    catch_signal(SIGTERM);
}

bool interruption_noted() { return noted_signal != 0; }

void stop_if_interrupted() {
    int number = noted_signal;
    if (number == 0) {
        return;
    }
    clean_up_on_stop();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

}  // namespace replay
