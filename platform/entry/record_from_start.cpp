#include "entry/record_from_start.h"

#include "entry/library_windows.h"
#include "entry/start_up_switch.h"
#include "user/start_up_hooks.h"

namespace qz370::entry {

namespace {
constexpr const char *RECORD_VARIABLE = "QZ370_RECORD";
}

bool recording_requested(const char *program_name)
{
    return switched_on_at_start(RECORD_VARIABLE, program_name, "records from the start");
}

// Until the program has a graphics window there is nothing to record.
void record_from_first_wait()
{
    platform::set_first_idle_action([] { return choose_run_command(RUN_RECORD); });
}

}  // namespace qz370::entry
