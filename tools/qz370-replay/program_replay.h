// A program of the user's own, replayed: it runs as a child process with the
// replay switched on in its start-up, and reports its printed lines and frames
// back through a pipe (platform/entry/replay_protocol.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace replay {

struct ProgramReports {
    std::function<void(const char *line)> line;
    // pixels only when asked for; else hash, when asked for; else neither
    std::function<void(const uint32_t *pixels, int width, int height, bool scripted, const uint64_t *hash)> frame;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // empty: the program ended without a graphics window
};

struct ProgramRun {
    Picture final_picture;
    std::string failure;  // the one line to show; empty when the program took part and ended with 0
    bool playback_ended = false;  // the program said playback stopped; else it ended by itself
    bool dialog_waits = false;    // ... because an input dialog waited for an answer
    int64_t script_offset = -1;   // how far its reader had read the script then; -1: unknown
};

// Finds the program as a shell would (a bare name along PATH) and makes its
// path absolute, since it runs in the scratch directory. On failure error
// holds the one line to show.
bool find_program(std::string &program, std::string &error);

// The game: beside this tool, as installed, or else where this build made it.
bool find_game(std::string &program, std::string &error);

// Runs the program in the current directory on the headless display and
// hands what it reports to reports as it comes: every frame with its pixels
// when frame_pixels is set, else with its hash when frame_hashes is.
// A program still running after timeout_seconds of real time is ended.
struct FrameContent {
    bool pixels;
    bool hashes;
};
ProgramRun run_program(const std::string &program, bool logging, FrameContent content, int timeout_seconds,
                       const ProgramReports &reports);

// Ends the program being replayed, if any, and waits for it: before the
// replay itself stops on a signal.
void end_running_program();

}  // namespace replay
