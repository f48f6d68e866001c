// The frames' pictures in a --frames folder: frame_000001.png, frame_000002.png, ...
#pragma once

#include <cstdint>
#include <string>

namespace replay {

std::string frame_file_name(int64_t number);

// Whether a file in the folder is a frame's picture, of this run or an earlier one.
bool is_frame_file_name(const std::string &name);

}  // namespace replay
