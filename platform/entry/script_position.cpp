#include "entry/script_position.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qz370::entry {

namespace {

constexpr const char *SCRIPT_NAME = "QZ370.SCR";
constexpr const char *OWN_DESCRIPTORS = "/proc/self/fd";

// The descriptor the program reads the script through; -1 if it has none open.
int script_descriptor()
{
    char script[PATH_MAX];
    if (realpath(SCRIPT_NAME, script) == nullptr) {
        return -1;
    }
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(OWN_DESCRIPTORS, error)) {
        std::error_code unreadable;
        if (std::filesystem::read_symlink(entry.path(), unreadable) == script) {
            return std::stoi(entry.path().filename().string());
        }
    }
    return -1;
}

}  // namespace

int64_t script_position()
{
    const int fd = script_descriptor();
    return fd >= 0 ? offset_of(fd) : -1;
}

int watch_script_reader()
{
    const int fd = script_descriptor();
    return fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1;
}

int64_t offset_of(int fd)
{
    const off_t offset = lseek(fd, 0, SEEK_CUR);
    return offset >= 0 ? offset : -1;
}

}  // namespace qz370::entry
