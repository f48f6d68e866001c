#include "entry/start_up_switch.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qz370::entry {

bool switched_on_at_start(const char *variable, const char *program_name, const char *what_one_does)
{
    const char *value = std::getenv(variable);
    if (value == nullptr || *value == '\0' || std::strcmp(value, "0") == 0) {
        return false;
    }
    if (std::strcmp(value, "1") == 0) {
        return true;
    }
    std::fprintf(stderr, "%s: %s=%s ignored (1 %s)\n", program_name, variable, value, what_one_does);
    return false;
}

}  // namespace qz370::entry
