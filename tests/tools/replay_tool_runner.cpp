#include "replay_tool_runner.h"

#include <sys/wait.h>
#include <unistd.h>

// Inlined, so the tests need not link the library the tool links.
#define XXH_INLINE_ALL
#include <xxhash.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qz370::test {

namespace {

const char *const TOOL = QZ370_BINARY_DIR "/tools/qz370-replay/qz370-replay";

std::string shell_quoted(const std::string &text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

TemporaryDirectory::TemporaryDirectory() {
    std::string name = (std::filesystem::temp_directory_path() / "qz370-test-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) {
        path_ = name;
    }
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

ToolRun run_replay_tool(const std::vector<std::string> &arguments, const std::string &directory,
                        const std::string &scratch) {
    std::string errors = scratch + "/stderr.txt";
    std::string command = "cd " + shell_quoted(directory) + " && TMPDIR=" + shell_quoted(scratch) + " " +
                          shell_quoted(TOOL);
    for (const std::string &argument : arguments) {
        command += " " + shell_quoted(argument);
    }
    command += " 2>" + shell_quoted(errors);
    int status = std::system(command.c_str());
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(errors)};
    std::filesystem::remove(errors);
    return run;
}

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

std::vector<std::string> read_lines(const std::string &path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string xxh3_pixels_hex(const uint32_t *pixels, int width, int height) {
    std::string bytes;
    for (int i = 0; i < width * height; ++i) {
        for (int shift : {0, 8, 16, 24}) {
            bytes.push_back(static_cast<char>((pixels[i] >> shift) & 0xFF));
        }
    }
    XXH64_hash_t hash = XXH3_64bits(bytes.data(), bytes.size());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace qz370::test
