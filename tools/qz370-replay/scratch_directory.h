// The replay's working directory: a fresh temporary directory in which the
// game finds a copy of the script as QZ370.SCR, so the user's file is never
// touched whatever the game does with its script file.
#pragma once

#include <string>

namespace replay {

// Makes the directory, copies the script into it and changes into it. On
// failure error holds the one line to show and nothing is left behind.
bool enter_scratch_directory(const std::string &script, std::string &error);

// Changes back to the directory the program started in and removes the
// scratch directory with everything in it; nothing if it was never entered.
void leave_scratch_directory();

}  // namespace replay
