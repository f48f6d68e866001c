#include "entry/frame_summary.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "entry/library_windows.h"
#include "entry/start_up_switch.h"
#include "headless.h"

namespace qz370::entry {

namespace {

constexpr const char *FRAMES_VARIABLE = "QZ370_FRAMES";

const char *summarised_program = "";
int64_t frames_shown = 0;
std::function<void(HWND)> earlier_present_hook;

void count_frame(HWND window)
{
    if (window == graphics_window()) {
        frames_shown += 1;
    }
    if (earlier_present_hook) {
        earlier_present_hook(window);
    }
}

// The hash is taken once, at the end: one per frame would cost more than
// some frames take to draw.
void print_summary()
{
    HWND window = graphics_window();
    const uint64_t hash = window != nullptr ? headless::client_pixels_hash(window) : 0;
    std::fprintf(stderr, "%s: %" PRId64 " frames shown, ending on %016" PRIx64 "\n", summarised_program,
                 frames_shown, hash);
}

}  // namespace

bool frame_summary_requested(const char *program_name)
{
    return switched_on_at_start(FRAMES_VARIABLE, program_name, "counts the frames shown");
}

void summarise_frames_at_exit(const char *program_name)
{
    summarised_program = program_name;
    earlier_present_hook = headless::set_present_hook(count_frame);
    std::atexit(print_summary);
}

}  // namespace qz370::entry
