// Plays arbitrary bytes back as a script file, the way the event wait does,
// until the reader stops playback. Every event handed out must be one of the
// three a script can hold, and the count of owed periodic events never
// negative.
#include "library_state.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int MOST_EVENTS_PER_INPUT = 4096;
// A periodic line may owe two thousand million events; a few show the count works.
constexpr int32_t MOST_OWED_EVENTS = 3;

void start_wait()
{
    input.current_event = EventRecord{0, 0, 0, NO_EVENT};
}

void check_event()
{
    const int kind = input.current_event.kind;
    if (kind != QZ370_MOUSE && kind != QZ370_KBD && kind != QZ370_PERIODIC) {
        std::abort();
    }
    if (input.periodic_count < 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    script_file = fmemopen(const_cast<uint8_t *>(data), size, "r");
    if (script_file == nullptr) {
        return 0;
    }
    input = InputState{};
    input.playing_back = 1;
    start_wait();
    for (int i = 0; i < MOST_EVENTS_PER_INPUT && read_script_line(); ++i) {
        check_event();
        input.periodic_count = std::min(input.periodic_count, MOST_OWED_EVENTS);
        start_wait();
    }
    if (input.playing_back) {
        std::abort();  // a read that gives no event stops playback
    }
    close_script_file();
    return 0;
}
