// Every path of a run, checked before anything is written: the script must be
// a regular file that can be read; each output must go into a folder that
// exists and can be written, must not be a folder itself (the frames' folder
// must be one), and no output may be the script or another output.
#pragma once

#include <string>

#include "replay_options.h"

namespace replay {

// On failure error holds the one line to show.
bool check_paths(const Options &options, std::string &error);

}  // namespace replay
