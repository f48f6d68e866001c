// The script as the library's reader takes it: which lines it takes otherwise
// than they read, and where a playback that stopped early stopped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace replay {

struct ScriptFinding {
    int line;         // counted from 1
    std::string why;  // how the reader takes it
};

// The whole file; empty if it cannot be read.
std::string read_script_text(const std::string &path);

// Every line the reader takes otherwise than it reads: a line it stops at, a
// number it reads otherwise, a last line without its line end. A well-formed
// answer to the input dialog is not among them.
std::vector<ScriptFinding> check_script(const std::string &text);

// Why playback stopped before the end of the script, from how far the reader
// had read (its offset) and whether it met the end of the file; empty if it
// played to the end. With dialog_waits, an input dialog waited for the
// script's next line to answer it.
std::string why_playback_stopped(const std::string &text, int64_t offset, bool end_of_file_met, bool dialog_waits);

// The events of the lines the event reader played up to offset, where it
// stopped (a line it stopped at, or one it met the end of the file in, gives
// none); -1 gives none.
int64_t events_played(const std::string &text, int64_t offset);

// Why a program that ended by itself, its reader at offset (-1: it never
// read), left the script unplayed: the first line it did not read; empty if
// it read every line.
std::string why_program_ended_early(const std::string &text, int64_t offset, bool end_of_file_met);

}  // namespace replay
