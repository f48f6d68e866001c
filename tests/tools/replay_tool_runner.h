// Running qz370-replay from a test, each run in a temporary directory of the
// test's own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qz370::test {

// A fresh temporary directory, removed with everything in it at the end.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory &) = delete;
    TemporaryDirectory &operator=(const TemporaryDirectory &) = delete;

    std::string file(const std::string &name) const { return path_ + "/" + name; }
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

struct ToolRun {
    int exit_status;
    std::string error_output;  // what the tool wrote to standard error
};

// Runs the tool with the arguments (each quoted for the shell) in directory,
// with its temporary files in scratch.
ToolRun run_replay_tool(const std::vector<std::string> &arguments, const std::string &directory,
                        const std::string &scratch);

// Runs the tool as run_replay_tool does, but sends it the signal as soon as
// ready() holds; the exit status of a program the signal ended is 128 plus
// the signal's number, as a shell reports it.
ToolRun run_replay_tool_until(const std::vector<std::string> &arguments, const std::string &directory,
                              const std::string &scratch, const std::function<bool()> &ready, int signal);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &text);
std::vector<std::string> read_lines(const std::string &path);

// The tool's frame hash, computed independently: XXH3 64 over each pixel's
// 32-bit value 0x00RRGGBB, lowest byte first, as 16 hexadecimal digits.
std::string xxh3_pixels_hex(const uint32_t *pixels, int width, int height);

}  // namespace qz370::test
