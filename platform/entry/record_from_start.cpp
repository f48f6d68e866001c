#include "entry/record_from_start.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry/library_windows.h"
#include "user/start_up_hooks.h"

namespace qz370::entry {

namespace {
constexpr const char *RECORD_VARIABLE = "QZ370_RECORD";
}

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

// Until the program has a graphics window there is nothing to record.
void record_from_first_wait()
{
    platform::set_first_idle_action([] { return choose_run_command(RUN_RECORD); });
}

}  // namespace qz370::entry
