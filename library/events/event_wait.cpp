// The event wait: pumps the window system's messages one per pass until an
// event is ready, takes events from a script while one plays back, records
// them while recording, and hands out one event per call.
#include <cstdint>
#include <limits>

#include "library_state.h"

InputState input = {};

namespace {

constexpr int8_t NO_KEY = 0;
constexpr uint8_t LOW_BYTE = 0xFF;

void reset_current_event()
{
    input.current_event.kind = NO_EVENT;
    input.current_event.key = NO_KEY;
    input.current_event.y = 0;
    input.current_event.x = 0;
}

// Nothing is pending yet, or a periodic event is armed and its tick has not come.
bool still_waiting()
{
    const int kind = input.current_event.kind;
    return kind == NO_EVENT || (kind == QZ370_PERIODIC && input.timer_fired == 0);
}

// Takes at most one message and never blocks. Returns whether a message was taken.
bool pump_step()
{
    MSG message;
    const bool took_message = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0;
    if (took_message && message.message == WM_QUIT) {
        input.current_event.kind = QZ370_EXIT;
        return true;
    }
    if (took_message) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (canvas_dirty) {
        present_canvas();
    }
    return took_message;
}

// Returns whether the script gave the event; a failed read hands the wait back to live input.
bool script_step()
{
    if (!input.play_one && !input.playing_back) {
        return false;
    }
    input.play_one = 0;
    if (read_script_line()) {
        return true;
    }
    input.play_one = 0;
    input.playing_back = 0;
    return false;
}

// Ticks that came before arming are discarded: the event waits for a fresh one.
void arm_periodic_event()
{
    if ((input.single_step || input.running) && input.current_event.kind == NO_EVENT) {
        input.current_event.kind = QZ370_PERIODIC;
        input.timer_fired = 0;
        input.single_step = 0;
    }
}

// Periodic events are counted and written as one line when something else comes.
void record_event(int kind)
{
    if (kind == QZ370_PERIODIC) {
        // A count this high cannot come from a real run; stopping there keeps it defined.
        if (input.periodic_count < std::numeric_limits<int32_t>::max()) {
            input.periodic_count += 1;
        }
        return;
    }
    write_periodic_run();
    write_script_line(kind, input.current_event);
}

}  // namespace

int QZ370_next_event(int *x_out, int *y_out, char *key_out)
{
    reset_current_event();
    while (still_waiting()) {
        const bool took_message = pump_step();
        // The quit request has left the queue: a scripted event now would lose it for good.
        if (input.current_event.kind == QZ370_EXIT) {
            break;
        }
        if (script_step()) {
            break;
        }
        arm_periodic_event();
        // The pass found the queue empty and the script step has cleared both script
        // flags, so only a new message (input, paint, a tick) can change the outcome:
        // block for it instead of polling.
        if (!took_message && still_waiting()) {
            WaitMessage();
        }
    }
    const int kind = input.current_event.kind;
    if (input.recording) {
        record_event(kind);
    }
    if (x_out != nullptr) {
        *x_out = input.current_event.x;
    }
    if (y_out != nullptr) {
        *y_out = input.current_event.y;
    }
    if (key_out != nullptr) {
        *key_out = static_cast<char>(input.current_event.key);
    }
    return input.ending ? QZ370_EXIT : kind;
}

// The click's client pixel is two unsigned 16-bit halves, so any lParam maps to a point in range.
void handle_left_button_down(LPARAM position)
{
    input.current_event.x = static_cast<int32_t>(LOWORD(position)) - centre_x;
    input.current_event.y = centre_y - static_cast<int32_t>(HIWORD(position));
    input.current_event.kind = QZ370_MOUSE;
}

// Characters typed with Ctrl held are dropped: the Ctrl commands act on the key-down.
void handle_char(WPARAM character)
{
    if (input.ctrl_down == 1) {
        return;
    }
    input.current_event.kind = QZ370_KBD;
    input.current_event.key = static_cast<signed char>(character & LOW_BYTE);
}
