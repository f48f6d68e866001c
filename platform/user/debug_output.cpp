// OutputDebugStringA: text for whoever watches the program, as a debugger
// does on Windows; here a hook that a replay or a test sets.
#include "user/window_internals.h"

#include <utility>

namespace qz370::platform {

namespace {
std::function<void(const char *)> debug_output_hook;
}

void set_debug_output_hook(std::function<void(const char *)> hook)
{
    debug_output_hook = std::move(hook);
}

}  // namespace qz370::platform

// With nobody watching the text goes nowhere, as on Windows without a debugger.
void WINAPI OutputDebugStringA(LPCSTR text)
{
    if (text != nullptr && qz370::platform::debug_output_hook) {
        qz370::platform::debug_output_hook(text);
    }
}
