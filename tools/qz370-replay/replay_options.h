// The command line of qz370-replay.
#pragma once

#include <string>

namespace replay {

struct Options {
    std::string script = "QZ370.SCR";
    bool logging = false;
    bool quiet = false;
    std::string log_file;     // empty: not asked for
    std::string png_file;
    std::string frames_dir;
    std::string hashes_file;
    std::string program;  // empty: the game
    std::string gif_file;
    bool check = false;       // only list the lines the reader takes otherwise
    std::string timeout;       // as given; empty: the default
    int timeout_seconds = 60;  // of real time
};

enum class Parsed { Run, Help, Bad };

// On Bad, error holds the one line to show.
Parsed parse_options(int argc, char **argv, Options &options, std::string &error);

extern const char *const USAGE;

}  // namespace replay
