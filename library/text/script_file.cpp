// Placeholder until script recording and playback land.
#include "library_state.h"

FILE *script_file = nullptr;
void write_script_line(int, const EventRecord &) {}
int read_script_line() { return 0; }
void stop_playback() {}
void close_script_file() {}
void toggle_recording() {}
void toggle_playback() {}
void request_play_one() {}
