#include "entry/script_position.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qz370::entry {

namespace {
constexpr const char *SCRIPT_NAME = "QZ370.SCR";
constexpr const char *OWN_DESCRIPTORS = "/proc/self/fd";
}  // namespace

int64_t script_position()
{
    char script[PATH_MAX];
    if (realpath(SCRIPT_NAME, script) == nullptr) {
        return -1;
    }
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(OWN_DESCRIPTORS, error)) {
        std::error_code unreadable;
        if (std::filesystem::read_symlink(entry.path(), unreadable) != script) {
            continue;
        }
        const off_t offset = lseek(std::stoi(entry.path().filename().string()), 0, SEEK_CUR);
        if (offset >= 0) {
            return offset;
        }
    }
    return -1;
}

}  // namespace qz370::entry
