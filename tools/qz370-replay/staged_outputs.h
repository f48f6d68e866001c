// Outputs are written beside their places under hidden temporary names and
// moved into them only when the run has gone well, so a failed or stopped run
// leaves every file as it was.
#pragma once

#include <filesystem>
#include <string>

namespace replay {

// Where an output goes: its absolute path, without a trailing slash.
std::filesystem::path place_of(const std::string &path);

// The path to write the output at meanwhile; empty on failure, with error
// holding the line to show. What is no regular file (a device, a pipe) holds
// nothing to lose and cannot be replaced: it is written where it is.
std::string stage_file(const std::string &path, std::string &error);
// The same for the frames' folder: a temporary folder beside it, or inside
// it where it is there already.
std::string stage_folder(const std::string &path, std::string &error);

// Moves every staged output into its place: files replace what was there,
// frames replace the folder's earlier frames and join its other files. At the first that cannot go, the rest
// are removed and error holds the line to show.
bool commit_staged(std::string &error);

// Removes every staged output.
void discard_staged();

}  // namespace replay
