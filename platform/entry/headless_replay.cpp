#include "entry/headless_replay.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "entry/headless_run_limit.h"
#include "entry/library_windows.h"
#include "entry/replay_protocol.h"
#include "entry/script_position.h"
#include "entry/scripted_run.h"
#include "headless.h"

namespace qz370::entry {

namespace {

namespace protocol = replay_protocol;

constexpr size_t SEND_BUFFER_BYTES = 64 * 1024;
// A crash, an abort, or the tool ending a program past its --timeout.
constexpr int ENDING_SIGNALS[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTERM};
constexpr const char *WATCHER_CLASS = "QZ370ReplayWatcher";
constexpr UINT WATCH_SCRIPT = WM_USER;

struct Replay {
    const char *program_name;
    int fd;
    bool frame_pixels;  // every frame's pixels, not only its header
    bool frame_hashes;  // else every frame's hash
    bool logging;
    bool playback_switched_on;
    bool quit_chosen;
    int script_watch;  // a descriptor on the script being played; -1 until it is open
};

Replay replay;
std::vector<char> unsent;

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
    if (errno != 0 || *end != '\0' || fd < 0 || fd > std::numeric_limits<int>::max() ||
        fcntl(static_cast<int>(fd), F_GETFD) == -1) {
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

// Set while records are being put together or sent: a stream cut there would
// not be whole, so an ending signal waits for it to be done.
volatile sig_atomic_t sending = 0;
volatile sig_atomic_t deferred_signal = 0;

void end_by_signal(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// What the buffer holds goes out first: the lines printed just before a
// crash, or before the tool ended a program that would not finish, are the
// ones that tell why.
void send_last_words(int signal)
{
    if (sending == 0) {
        write_all(unsent.data(), unsent.size());
    } else if (signal == SIGTERM) {
        deferred_signal = signal;
        return;
    }
    end_by_signal(signal);
}

void catch_ending_signals()
{
    for (int signal : ENDING_SIGNALS) {
        std::signal(signal, send_last_words);
    }
}

struct Sending {
    Sending() { sending = sending + 1; }
    ~Sending()
    {
        sending = sending - 1;
        if (sending == 0 && deferred_signal != 0) {
            send_last_words(deferred_signal);
        }
    }
};

void flush()
{
    Sending guard;
    write_all(unsent.data(), unsent.size());
    unsent.clear();
}

// Small records wait in a buffer, sent when it fills and whenever the program
// waits: a logged frame is thousands of lines, a hashed one a few bytes.
void send(protocol::Kind kind, bool scripted, int width, int height, const void *payload, size_t size)
{
    Sending guard;
    protocol::RecordHeader header{kind, scripted ? 1u : 0u, width, height, size};
    const char *header_bytes = reinterpret_cast<const char *>(&header);
    unsent.insert(unsent.end(), header_bytes, header_bytes + sizeof header);
    if (size > SEND_BUFFER_BYTES) {
        flush();
        write_all(payload, size);
        return;
    }
    const char *bytes = static_cast<const char *>(payload);
    unsent.insert(unsent.end(), bytes, bytes + size);
    if (unsent.size() >= SEND_BUFFER_BYTES) {
        flush();
    }
}

void send_pixels(protocol::Kind kind, bool scripted, HWND window)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(window, &width, &height);
    size_t size = pixels != nullptr ? static_cast<size_t>(width) * height * sizeof *pixels : 0;
    send(kind, scripted, width, height, pixels, size);
}

// Packing a frame's rows costs a copy of the frame: only its pixels need it.
void send_frame(HWND window)
{
    const bool scripted = replay.playback_switched_on && !replay.quit_chosen;
    if (replay.frame_pixels) {
        send_pixels(protocol::FRAME, scripted, window);
    } else if (replay.frame_hashes) {
        const uint64_t hash = headless::client_pixels_hash(window);
        send(protocol::FRAME, scripted, 0, 0, &hash, sizeof hash);
    } else {
        send(protocol::FRAME, scripted, 0, 0, nullptr, 0);
    }
}

// How far the reader got, for the tool to name the line.
void send_playback_ended(bool dialog_waits)
{
    const int64_t offset = script_position();
    send(protocol::PLAYBACK_ENDED, dialog_waits, 0, 0, &offset, sizeof offset);
    flush();
}

// Found once the reader has opened the script, and kept: it still tells where
// the reader stood after a program that ends by itself has closed it.
void watch_script()
{
    if (replay.playback_switched_on && replay.script_watch < 0) {
        replay.script_watch = watch_script_reader();
    }
}

// Scripted events come without a wait between them: a message of the
// watcher's own, taken at the program's next event, finds the script that the
// first one opened.
LRESULT CALLBACK watcher_procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message == WATCH_SCRIPT) {
        watch_script();
        return 0;
    }
    return DefWindowProcA(window, message, w_param, l_param);
}

void watch_script_at_next_event()
{
    WNDCLASSA watcher_class{};
    watcher_class.lpfnWndProc = watcher_procedure;
    watcher_class.lpszClassName = WATCHER_CLASS;
    RegisterClassA(&watcher_class);
    HWND watcher = CreateWindowExA(0, WATCHER_CLASS, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (watcher != nullptr) {
        PostMessageA(watcher, WATCH_SCRIPT, 0, 0);
    }
}

// Logging is switched on, never off: the program may have it on already.
void start_playback()
{
    replay.playback_switched_on = true;
    if (replay.logging && !run_item_checked(RUN_LOGGING)) {
        choose_run_command(RUN_LOGGING);
    }
    choose_run_command(RUN_PLAYBACK);
    watch_script_at_next_event();
    start_replay_run_limit(replay.program_name);
}

// A dialog waiting while the script plays can only wait for ever: the answer
// it needs is not the script's next line.
void end_with_dialog_waiting()
{
    send_playback_ended(true);
    std::exit(STUCK_EXIT_CODE);
}

// Playback starts and the run ends by the scripted run's rule; meanwhile the
// run is held to its limit, and a dialog waiting for an answer ends it.
void on_idle()
{
    flush();
    watch_script();
    const ScriptedRunStep step = scripted_run_step(replay.playback_switched_on);
    if (step == ScriptedRunStep::START_PLAYBACK) {
        start_playback();
        return;
    }
    if (replay_run_limit_reached()) {
        return;
    }
    if (step == ScriptedRunStep::PLAYING) {
        if (graphics_window_held_by_dialog()) {
            end_with_dialog_waiting();
        }
        return;
    }
    if (replay.playback_switched_on && !replay.quit_chosen) {
        send_playback_ended(false);
    }
    replay.quit_chosen = true;
    insist_on_quit(replay.program_name);
}

// The frames shown between switching playback on and choosing Quit are those
// of the scripted events.
void on_present(HWND window)
{
    if (window == graphics_window()) {
        watch_script();
        send_frame(window);
    }
}

void on_printed_line(const char *line)
{
    send(protocol::LINE, false, 0, 0, line, std::strlen(line));
}

// At exit, however the program ends: the picture its graphics window holds,
// which may be newer than the last frame shown.
// A program that ended before playback stopped says how far its reader got.
void send_final_picture()
{
    if (replay.playback_switched_on && !replay.quit_chosen) {
        watch_script();
        const int64_t offset = replay.script_watch >= 0 ? offset_of(replay.script_watch) : -1;
        send(protocol::ENDED_MID_SCRIPT, false, 0, 0, &offset, sizeof offset);
    }
    HWND window = graphics_window();
    if (window != nullptr) {
        send_pixels(protocol::FINAL_PICTURE, false, window);
    }
    flush();
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
    replay = Replay{program_name,
                    fd,
                    switched_on(protocol::PIXELS_VARIABLE),
                    switched_on(protocol::HASHES_VARIABLE),
                    switched_on(protocol::LOGGING_VARIABLE),
                    false,
                    false,
                    -1};
    headless::use();
    headless::set_idle_hook(on_idle);
    headless::set_present_hook(on_present);
    headless::set_debug_output_hook(on_printed_line);
    std::atexit(send_final_picture);
    catch_ending_signals();
    send(protocol::HELLO, false, 0, 0, nullptr, 0);
    return true;
}

}  // namespace qz370::entry
