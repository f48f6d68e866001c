#include "entry/headless_replay.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry/library_windows.h"
#include "entry/replay_protocol.h"
#include "headless.h"

namespace qz370::entry {

namespace {

namespace protocol = replay_protocol;

constexpr int STUCK_EXIT_CODE = 3;
// A program that still waits after this many Quit commands will never end.
constexpr int QUITS_BEFORE_GIVING_UP = 100;

struct Replay {
    const char *program_name;
    int fd;
    bool send_pixels;
    bool logging;
    bool playback_switched_on;
    int quits_sent;
};

Replay replay;

bool switched_on(const char *variable)
{
    const char *value = std::getenv(variable);
    return value != nullptr && std::strcmp(value, "1") == 0;
}

// -1 unless the variable names an open descriptor.
int descriptor_from_environment()
{
    const char *value = std::getenv(protocol::FD_VARIABLE);
    if (value == nullptr || *value == '\0') {
        return -1;
    }
    char *end = nullptr;
    errno = 0;
    long fd = std::strtol(value, &end, 10);
    if (errno != 0 || *end != '\0' || fd < 0 || fd > INT32_MAX || fcntl(static_cast<int>(fd), F_GETFD) == -1) {
        return -1;
    }
    return static_cast<int>(fd);
}

// A reader that has gone away ends the program through SIGPIPE; any other
// failure stops the reports, and the reader sees them end early.
void write_all(const void *data, size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0 && replay.fd >= 0) {
        ssize_t written = write(replay.fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            replay.fd = -1;
            return;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

void send(protocol::Kind kind, bool scripted, int width, int height, const void *payload, size_t size)
{
    protocol::RecordHeader header{kind, scripted ? 1u : 0u, width, height, size};
    write_all(&header, sizeof header);
    write_all(payload, size);
}

void send_pixels(protocol::Kind kind, bool scripted, HWND window, bool with_pixels)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(window, &width, &height);
    size_t size = with_pixels && pixels != nullptr ? static_cast<size_t>(width) * height * sizeof *pixels : 0;
    send(kind, scripted, width, height, pixels, size);
}

// The first wait is the moment to start playing, as Ctrl+L and Ctrl+P would;
// once playback has stopped, for whatever reason, the run ends as Quit would.
void on_idle()
{
    if (graphics_window() == nullptr) {
        return;  // nothing to drive: a program that waits for nothing is ended by the display
    }
    if (!replay.playback_switched_on) {
        replay.playback_switched_on = true;
        if (replay.logging) {
            choose_run_command(RUN_LOGGING);
        }
        choose_run_command(RUN_PLAYBACK);
        return;
    }
    if (playback_checked()) {
        return;
    }
    if (replay.quits_sent == QUITS_BEFORE_GIVING_UP) {
        std::fprintf(stderr, "%s: still running after Quit at the end of the replay; ended\n", replay.program_name);
        std::exit(STUCK_EXIT_CODE);
    }
    replay.quits_sent += 1;
    choose_run_command(RUN_QUIT);
}

// The frames shown between switching playback on and choosing Quit are those
// of the scripted events.
void on_present(HWND window)
{
    if (window == graphics_window()) {
        send_pixels(protocol::FRAME, replay.playback_switched_on && replay.quits_sent == 0, window,
                    replay.send_pixels);
    }
}

void on_printed_line(const char *line)
{
    send(protocol::LINE, false, 0, 0, line, std::strlen(line));
}

// At exit, however the program ends: the picture its graphics window holds,
// which may be newer than the last frame shown.
void send_final_picture()
{
    HWND window = graphics_window();
    if (window != nullptr) {
        send_pixels(protocol::FINAL_PICTURE, false, window, true);
    }
    if (replay.fd >= 0) {
        close(replay.fd);
        replay.fd = -1;
    }
}

}  // namespace

bool replay_requested()
{
    return std::getenv(protocol::FD_VARIABLE) != nullptr;
}

bool start_replay(const char *program_name)
{
    int fd = descriptor_from_environment();
    if (fd < 0) {
        std::fprintf(stderr, "%s: %s is not an open file descriptor\n", program_name, protocol::FD_VARIABLE);
        return false;
    }
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    replay = Replay{program_name, fd, switched_on(protocol::PIXELS_VARIABLE), switched_on(protocol::LOGGING_VARIABLE),
                    false, 0};
    headless::use();
    headless::set_idle_hook(on_idle);
    headless::set_present_hook(on_present);
    headless::set_debug_output_hook(on_printed_line);
    std::atexit(send_final_picture);
    send(protocol::HELLO, false, 0, 0, nullptr, 0);
    return true;
}

}  // namespace qz370::entry
