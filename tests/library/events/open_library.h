// What the event tests share: opening the library on the headless display and
// taking one event as a value.
#pragma once

#include "headless.h"
#include "library_state.h"

namespace events_test {

// The headless display's client area of the graphics window is 595 by 500.
constexpr int CLIENT_CENTRE_X = 297;
constexpr int CLIENT_CENTRE_Y = 250;

struct Event {
    int kind;
    int x;
    int y;
    char key;
};

inline void open_library()
{
    QZ370_begin(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}

// The out-values start as junk so that a field the wait leaves unwritten shows.
inline Event next_event()
{
    Event event = {0, -12345, -12345, 'J'};
    event.kind = QZ370_next_event(&event.x, &event.y, &event.key);
    return event;
}

inline void click_client(int column, int row)
{
    qz370::headless::click(graphics_window, column, row);
}

}  // namespace events_test
