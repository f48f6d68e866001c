#include "replay_tool_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

// Inlined, so the tests need not link the library the tool links.
#define XXH_INLINE_ALL
#include <xxhash.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace qz370::test {

namespace {

const char *const TOOL = QZ370_BINARY_DIR "/tools/qz370-replay/qz370-replay";
constexpr int SIGNAL_EXIT_BASE = 128;
constexpr auto SIGNAL_WAIT = std::chrono::seconds(20);
constexpr auto POLL_INTERVAL = std::chrono::milliseconds(10);

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

ToolRun run_replay_tool_until(const std::vector<std::string> &arguments, const std::string &directory,
                              const std::string &scratch, const std::function<bool()> &ready, int signal) {
    std::string errors = scratch + "/stderr.txt";
    std::vector<char *> argv{const_cast<char *>(TOOL)};
    for (const std::string &argument : arguments) {
        argv.push_back(const_cast<char *>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int error_file = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (error_file < 0 || chdir(directory.c_str()) != 0 || setenv("TMPDIR", scratch.c_str(), 1) != 0) {
            _exit(EXIT_FAILURE);
        }
        dup2(error_file, STDERR_FILENO);
        execv(TOOL, argv.data());
        _exit(EXIT_FAILURE);
    }
    auto deadline = std::chrono::steady_clock::now() + SIGNAL_WAIT;
    while (!ready() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    ToolRun run{WIFSIGNALED(status) ? SIGNAL_EXIT_BASE + WTERMSIG(status) : WEXITSTATUS(status), read_file(errors)};
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
