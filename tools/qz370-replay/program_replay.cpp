#include "program_replay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "entry/replay_protocol.h"
#include "interruption.h"

extern char **environ;

namespace replay {

namespace {

namespace fs = std::filesystem;
namespace protocol = qz370::replay_protocol;

using Clock = std::chrono::steady_clock;

constexpr int PIPE_BYTES = 1 << 20;
constexpr size_t READ_BLOCK_BYTES = 64 * 1024;
constexpr const char *GAME_NAME = "vortaline";
// How often a wait for the program looks at the clock and for a signal.
constexpr int POLL_INTERVAL_MS = 100;
// A program that has closed its reports is about to exit: it is looked at
// often, since the whole run waits for it.
constexpr int EXIT_POLL_INTERVAL_MS = 1;
constexpr auto LAST_WORDS_GRACE = std::chrono::seconds(1);
// No window of the window system is larger than 8192 pixels a side.
constexpr uint64_t LARGEST_REPORT = uint64_t{8192} * 8192 * sizeof(uint32_t);
constexpr const char *PROGRAM_VARIABLES[] = {"QZ370_DISPLAY",           "QZ370_RECORD",
                                             protocol::FD_VARIABLE,     protocol::PIXELS_VARIABLE,
                                             protocol::HASHES_VARIABLE, protocol::LOGGING_VARIABLE};

std::string why_not_runnable(const std::string &path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return "is not a regular file";
    }
    return access(path.c_str(), X_OK) == 0 ? "" : std::strerror(errno);
}

std::string search_path(const std::string &name) {
    const char *path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (why_not_runnable(candidate).empty()) {
            return candidate;
        }
    }
    return "";
}

bool ours(std::string_view entry) {
    for (std::string_view name : PROGRAM_VARIABLES) {
        if (entry.size() > name.size() && entry.substr(0, name.size()) == name && entry[name.size()] == '=') {
            return true;
        }
    }
    return false;
}

// The user's environment without any switch of ours, then the replay's own.
std::vector<std::string> program_environment(int fd, bool logging, FrameContent content) {
    std::vector<std::string> entries;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        if (!ours(*entry)) {
            entries.emplace_back(*entry);
        }
    }
    entries.emplace_back("QZ370_DISPLAY=headless");
    entries.push_back(std::string(protocol::FD_VARIABLE) + "=" + std::to_string(fd));
    if (content.pixels) {
        entries.push_back(std::string(protocol::PIXELS_VARIABLE) + "=1");
    }
    if (content.hashes) {
        entries.push_back(std::string(protocol::HASHES_VARIABLE) + "=1");
    }
    if (logging) {
        entries.push_back(std::string(protocol::LOGGING_VARIABLE) + "=1");
    }
    return entries;
}

std::vector<char *> pointers_to(std::vector<std::string> &strings) {
    std::vector<char *> pointers;
    for (std::string &text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Standard input is the null device: a replayed program reads nothing but its script.
pid_t spawn(const std::string &program, std::vector<std::string> environment, std::string &error) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // A group of its own, so that whatever it starts can be ended with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<std::string> arguments{program};
    std::vector<char *> argv = pointers_to(arguments);
    std::vector<char *> envp = pointers_to(environment);
    pid_t child = -1;
    int failure = posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0) {
        error = "qz370-replay: cannot run " + program + ": " + std::strerror(failure);
        return -1;
    }
    return child;
}

pid_t running_child = -1;

struct Reader {
    int fd;
    const ProgramReports *reports;
    Clock::time_point deadline;
    bool answered;
    bool garbled;
    bool timed_out;
    std::string line;
    std::vector<uint32_t> pixels;
    Picture final_picture;
    bool playback_ended;
    bool dialog_waits;
    int64_t script_offset;
    std::vector<char> buffered;  // read from the pipe, not yet taken from buffered_from on
    size_t buffered_from;
};

// Waits until the pipe has something to read; false once the deadline has
// passed. A noted signal ends the program and then the replay.
bool wait_for_data(Reader &reader) {
    pollfd waiting{reader.fd, POLLIN, 0};
    while (poll(&waiting, 1, POLL_INTERVAL_MS) <= 0) {
        if (interruption_noted()) {
            end_running_program();
            stop_if_interrupted();
        }
        if (Clock::now() >= reader.deadline) {
            reader.timed_out = true;
            return false;
        }
    }
    return true;
}

// Up to a whole block from the pipe; false at its end or at the deadline.
bool take_from_pipe(Reader &reader, char *into, size_t capacity, size_t &got) {
    for (;;) {
        if (!wait_for_data(reader)) {
            return false;
        }
        ssize_t count = read(reader.fd, into, capacity);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        got = count > 0 ? static_cast<size_t>(count) : 0;
        return count > 0;
    }
}

// False at the end of the stream, if it ends inside the block, or at the
// deadline. Small records come out of a block read at once; a frame's pixels
// go straight where they belong.
bool read_exactly(Reader &reader, void *data, size_t size) {
    char *bytes = static_cast<char *>(data);
    while (size > 0) {
        if (reader.buffered_from == reader.buffered.size()) {
            if (size >= READ_BLOCK_BYTES) {
                size_t got = 0;
                if (!take_from_pipe(reader, bytes, size, got)) {
                    return false;
                }
                bytes += got;
                size -= got;
                continue;
            }
            size_t got = 0;
            reader.buffered.resize(READ_BLOCK_BYTES);
            const bool took = take_from_pipe(reader, reader.buffered.data(), READ_BLOCK_BYTES, got);
            reader.buffered.resize(got);
            reader.buffered_from = 0;
            if (!took) {
                return false;
            }
        }
        size_t taken = std::min(size, reader.buffered.size() - reader.buffered_from);
        std::memcpy(bytes, reader.buffered.data() + reader.buffered_from, taken);
        reader.buffered_from += taken;
        bytes += taken;
        size -= taken;
    }
    return true;
}

bool pixels_fit(const protocol::RecordHeader &header) {
    return header.size == 0 || (header.width > 0 && header.height > 0 &&
                                header.size == uint64_t(header.width) * uint64_t(header.height) * sizeof(uint32_t));
}

bool read_record(Reader &reader, const protocol::RecordHeader &header) {
    switch (header.kind) {
    case protocol::HELLO: reader.answered = true; return header.size == 0;
    case protocol::PLAYBACK_ENDED:
        reader.playback_ended = true;
        reader.dialog_waits = header.scripted != 0;
        return header.size == sizeof reader.script_offset &&
               read_exactly(reader, &reader.script_offset, sizeof reader.script_offset);
    case protocol::ENDED_MID_SCRIPT:
        return header.size == sizeof reader.script_offset &&
               read_exactly(reader, &reader.script_offset, sizeof reader.script_offset);
    case protocol::LINE:
        reader.line.resize(header.size);
        if (!read_exactly(reader, reader.line.data(), header.size)) {
            return false;
        }
        reader.reports->line(reader.line.c_str());
        return true;
    case protocol::FRAME:
        if (header.size == sizeof(uint64_t) && header.width == 0) {
            uint64_t hash = 0;
            if (!read_exactly(reader, &hash, sizeof hash)) {
                return false;
            }
            reader.reports->frame(nullptr, 0, 0, header.scripted != 0, &hash);
            return true;
        }
        [[fallthrough]];
    case protocol::FINAL_PICTURE: {
        if (!pixels_fit(header)) {
            return false;
        }
        std::vector<uint32_t> &target =
            header.kind == protocol::FRAME ? reader.pixels : reader.final_picture.pixels;
        target.resize(header.size / sizeof(uint32_t));
        if (!read_exactly(reader, target.data(), header.size)) {
            return false;
        }
        if (header.kind == protocol::FRAME) {
            reader.reports->frame(header.size != 0 ? target.data() : nullptr, header.width, header.height,
                                  header.scripted != 0, nullptr);
        } else {
            reader.final_picture.width = header.width;
            reader.final_picture.height = header.height;
        }
        return true;
    }
    default: return false;
    }
}

// Reads records until the program closes its end; a record that makes no
// sense stops the reading, and what the program sends after it is dropped.
void read_reports(Reader &reader) {
    protocol::RecordHeader header{};
    while (read_exactly(reader, &header, sizeof header)) {
        if (header.size > LARGEST_REPORT || !read_record(reader, header)) {
            reader.garbled = !reader.timed_out;
            return;
        }
    }
}

// A program past its time is told to end first, and sends what it still
// holds (its last printed lines) before it is killed.
void hear_last_words(pid_t child, Reader &reader) {
    kill(child, SIGTERM);
    reader.deadline = Clock::now() + LAST_WORDS_GRACE;
    reader.timed_out = false;
    read_reports(reader);
    reader.timed_out = true;
    reader.garbled = false;
}

int wait_for(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Whether the program, its reports over, exits before the deadline.
bool exits_by(pid_t child, Reader &reader) {
    for (;;) {
        siginfo_t info{};
        int looked = waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT);
        if (looked == 0 ? info.si_pid != 0 : errno != EINTR) {
            return true;
        }
        if (interruption_noted()) {
            end_running_program();
            stop_if_interrupted();
        }
        if (Clock::now() >= reader.deadline) {
            return false;
        }
        poll(nullptr, 0, EXIT_POLL_INTERVAL_MS);
    }
    return true;
}

// A garbled stream is told first: the program may have died of the pipe closed on it.
std::string outcome(const std::string &program, int status, const Reader &reader, int timeout_seconds) {
    if (reader.timed_out) {
        return "qz370-replay: " + program + " did not finish within " + std::to_string(timeout_seconds) +
               " s (--timeout); ended";
    }
    if (reader.garbled) {
        return "qz370-replay: " + program + " sent a report that makes no sense";
    }
    if (WIFSIGNALED(status)) {
        return "qz370-replay: " + program + " was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    }
    if (WEXITSTATUS(status) != 0) {
        return "qz370-replay: " + program + " exited with " + std::to_string(WEXITSTATUS(status));
    }
    if (!reader.answered) {
        return "qz370-replay: " + program + " took no part in the replay (is it a program built on QZ370?)";
    }
    return "";
}

}  // namespace

bool find_program(std::string &program, std::string &error) {
    std::string found = program.find('/') == std::string::npos ? search_path(program) : program;
    std::string why = found.empty() ? "not found along PATH" : why_not_runnable(found);
    if (!why.empty()) {
        error = "qz370-replay: cannot run " + program + ": " + why;
        return false;
    }
    program = fs::absolute(found).lexically_normal().string();
    return true;
}

void end_running_program() {
    if (running_child > 0) {
        kill(-running_child, SIGKILL);
        wait_for(running_child);
        running_child = -1;
    }
}

bool find_game(std::string &program, std::string &error) {
    std::error_code unknown;
    fs::path beside = fs::read_symlink("/proc/self/exe", unknown).parent_path() / GAME_NAME;
    for (const fs::path &candidate : {beside, fs::path(QZ370_BUILT_GAME)}) {
        if (why_not_runnable(candidate.string()).empty()) {
            program = candidate.lexically_normal().string();
            return true;
        }
    }
    error = std::string("qz370-replay: cannot find the game: no ") + GAME_NAME + " beside qz370-replay";
    return false;
}

ProgramRun run_program(const std::string &program, bool logging, FrameContent content, int timeout_seconds,
                       const ProgramReports &reports) {
    ProgramRun run;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        run.failure = std::string("qz370-replay: cannot make a pipe: ") + std::strerror(errno);
        return run;
    }
    // Only the writing end goes to the program. A frame fits the larger pipe
    // whole, where one is allowed: fewer switches between the two processes.
    fcntl(ends[1], F_SETFD, 0);
    fcntl(ends[0], F_SETPIPE_SZ, PIPE_BYTES);
    pid_t child = spawn(program, program_environment(ends[1], logging, content), run.failure);
    close(ends[1]);
    if (child < 0) {
        close(ends[0]);
        return run;
    }
    running_child = child;
    Reader reader{ends[0], &reports, Clock::now() + std::chrono::seconds(timeout_seconds), false, false, false, {}, {},
                  {}, false, false, -1, {}, 0};
    read_reports(reader);
    if (reader.timed_out) {
        hear_last_words(child, reader);
    }
    close(ends[0]);
    // A program that never finishes, or keeps the pipe open in a process of
    // its own, is ended with everything it started.
    if (reader.timed_out || !exits_by(child, reader)) {
        reader.timed_out = true;
        kill(-child, SIGKILL);
    }
    int status = wait_for(child);
    running_child = -1;
    run.failure = outcome(program, status, reader, timeout_seconds);
    run.final_picture = std::move(reader.final_picture);
    run.playback_ended = reader.playback_ended;
    run.dialog_waits = reader.dialog_waits;
    run.script_offset = reader.script_offset;
    return run;
}

}  // namespace replay
