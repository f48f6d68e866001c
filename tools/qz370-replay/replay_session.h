// One replay: the game (or with --program the user's program) runs on the
// headless display with the Run menu's playback switched on at its first
// wait, until the script stops playing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "replay_options.h"

namespace replay {

struct Outputs {
    FILE *log;                // every printed line; null: not kept
    FILE *hashes;             // one hash line per frame; null: not kept
    std::string frames_dir;   // one PNG per frame; empty: not kept
    FILE *gif;                // the frames as an animated GIF; null: not kept
};

struct Report {
    int64_t events;  // events of the lines the reader played
    int64_t frames;  // frames the graphics window showed
    double seconds;
    bool outputs_failed;  // a frame picture or a line could not be written
    std::string failure;  // the first of them, and why: the line to show
    std::string program_failure;  // --program: why the program's run failed; empty if it did not
    std::string gif_error;        // why the GIF could not be written whole; empty: it was
    std::string playback_stopped;  // where and why playback stopped before the script's end; empty: it did not
    std::vector<std::string> last_lines;  // the last lines the text window showed, oldest first
};

Report run_replay(const Options &options, const Outputs &outputs);

// The graphics window's picture at the end of the run.
bool write_final_picture(const std::string &path);

}  // namespace replay
