#include "entry/record_from_start.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/display_driver.h"
#include "entry/library_windows.h"

namespace qz370::entry {

namespace {

constexpr const char *RECORD_VARIABLE = "QZ370_RECORD";

const platform::DisplayDriver *chosen_display = nullptr;
platform::DisplayDriver display_recording_at_first_wait;

// The wait returns at once to hand the command to the program's next pass;
// until the program has a graphics window there is nothing to record.
void choose_record_at_first_wait(int64_t deadline_ms)
{
    if (choose_run_command(RUN_RECORD)) {
        platform::set_display_driver(chosen_display);
        return;
    }
    chosen_display->wait(deadline_ms);
}

}  // namespace

bool recording_requested(const char *program_name)
{
    const char *value = std::getenv(RECORD_VARIABLE);
    if (value == nullptr || *value == '\0' || std::strcmp(value, "0") == 0) {
        return false;
    }
    if (std::strcmp(value, "1") == 0) {
        return true;
    }
    std::fprintf(stderr, "%s: %s=%s ignored (1 records from the start)\n", program_name, RECORD_VARIABLE, value);
    return false;
}

void record_from_first_wait()
{
    chosen_display = &platform::display_driver();
    display_recording_at_first_wait = *chosen_display;
    display_recording_at_first_wait.wait = choose_record_at_first_wait;
    platform::set_display_driver(&display_recording_at_first_wait);
}

}  // namespace qz370::entry
