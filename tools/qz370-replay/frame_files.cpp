#include "frame_files.h"

#include <cinttypes>
#include <cstdio>
#include <regex>

namespace replay {

namespace {
constexpr int FRAME_NAME_SIZE = 64;
}

std::string frame_file_name(int64_t number) {
    char name[FRAME_NAME_SIZE];
    std::snprintf(name, sizeof name, "frame_%06" PRId64 ".png", number);
    return name;
}

bool is_frame_file_name(const std::string &name) {
    static const std::regex frame_name("frame_[0-9]{6,}\\.png");
    return std::regex_match(name, frame_name);
}

}  // namespace replay
