// The program's start-up: picks a display, then hands over to WinMain.
#include <windows.h>

#include "entry/frame_summary.h"
#include "entry/headless_replay.h"
#include "entry/headless_run_limit.h"
#include "entry/play_from_start.h"
#include "entry/record_from_start.h"
#include "headless.h"
#ifdef __EMSCRIPTEN__
#include "display/web/web_display.h"
namespace screen = qz370::web;
#else
#include "display/sdl/sdl_display.h"
namespace screen = qz370::sdl;
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int NO_DISPLAY_EXIT_CODE = 2;

constexpr const char *DISPLAY_VARIABLE = "QZ370_DISPLAY";
constexpr const char *HEADLESS = "headless";

// Any other value than headless or none is named in a one-line warning and
// ignored, as a bad QZ370_SCALE or QZ370_RECORD is.
bool headless_requested(const char *program_name)
{
    const char *display = std::getenv(DISPLAY_VARIABLE);
    if (display == nullptr || *display == '\0') {
        return false;
    }
    if (std::strcmp(display, HEADLESS) == 0) {
        return true;
    }
    std::fprintf(stderr, "%s: %s=%s ignored (%s runs without a screen)\n", program_name, DISPLAY_VARIABLE, display,
                 HEADLESS);
    return false;
}

// Messages name the program as the user started it, without its folder.
const char *name_of(const char *invoked_as)
{
    if (invoked_as == nullptr || *invoked_as == '\0') {
        return "program";
    }
    const char *slash = std::strrchr(invoked_as, '/');
    return slash != nullptr ? slash + 1 : invoked_as;
}

// Nothing shown and no input to come is no way to run a program: the hint is
// the tool that replays a script through it and keeps what it showed.
int report_no_display(const char *name, const char *invoked_as)
{
    std::fprintf(stderr,
                 "%s: no display available (to run it without a screen, replay a script: qz370-replay --program "
                 "%s --script FILE)\n",
                 name, invoked_as);
    return NO_DISPLAY_EXIT_CODE;
}

}  // namespace

// The desktop (or, built for the web, the page) when there is a screen to open; QZ370_DISPLAY=headless asks for
// none, and qz370-replay for a replay on none. The desktop's windows go with
// the process, as every window does: closing SDL first would only read back
// answers the X server still owes, after SDL has put back the X error handler
// that makes any of them fatal.
int main(int argc, char **argv)
{
    const char *invoked_as = argc > 0 ? argv[0] : nullptr;
    const char *name = name_of(invoked_as);
    if (qz370::entry::replay_requested()) {
        if (!qz370::entry::start_replay(name)) {
            return NO_DISPLAY_EXIT_CODE;
        }
    } else if (headless_requested(name)) {
        qz370::headless::use();
        qz370::entry::limit_headless_run(name);
        if (qz370::entry::frame_summary_requested(name)) {
            qz370::entry::summarise_frames_at_exit(name);
        }
    } else if (!screen::use()) {
        return report_no_display(name, invoked_as != nullptr ? invoked_as : name);
    }
    if (!qz370::entry::replay_requested() && qz370::entry::playing_requested(name)) {
        qz370::entry::play_from_first_wait();
    } else if (!qz370::entry::replay_requested() && qz370::entry::recording_requested(name)) {
        qz370::entry::record_from_first_wait();
    }
    // exit() rather than a return: in a web page, once a wait has slept in the
    // browser, main's return reaches nobody, and the page never hears of the end.
    std::exit(qz370::entry::exit_code_after_run(WinMain(nullptr, nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL)));
}
