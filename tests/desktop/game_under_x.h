// The game run as a child process on an X server, driven as a user would with
// XTest and watched through screenshots of the root window. Every wait polls
// for what it waits for until a generous deadline, so a busy machine only
// makes the tests slower, never wrong.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace desktop_test {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds GENEROUS_WAIT{20000};
constexpr const char *GAME = QZ370_BINARY_DIR "/vortaline";

struct Geometry {
    int x;
    int y;
    int width;
    int height;
};

// Pixels of a screen rectangle, 0x00RRGGBB, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int count(uint32_t color, int left, int top, int right, int bottom) const;
    bool operator==(const Screenshot &other) const = default;
};

// Calls condition every few milliseconds until it holds or the time is up.
bool wait_until(const std::function<bool()> &condition, std::chrono::milliseconds limit = GENEROUS_WAIT);

// Set by `make desktop-test`, which starts the virtual X server they need.
bool desktop_tests_enabled();

class GameUnderX {
public:
    // Null when no X server is there to test on.
    static Display *open_display();

    explicit GameUnderX(Display *display);
    ~GameUnderX();
    GameUnderX(const GameUnderX &) = delete;
    GameUnderX &operator=(const GameUnderX &) = delete;

    // Each entry of environment is NAME=VALUE, added to the program's own.
    // The program is the game unless another is named.
    void start(const std::vector<std::string> &environment = {}, const std::string &program = GAME);
    Clock::time_point started() const { return started_; }
    pid_t pid() const { return child_; }

    // The mapped top-level window with this title, or 0.
    Window find_window(const std::string &title) const;
    Window wait_for_window(const std::string &title) const;
    Geometry geometry(Window window) const;

    Screenshot capture(int x, int y, int width, int height) const;

    void focus(Window window);
    Window focused() const;  // the window with the keyboard focus
    // The keyboard then goes to no window at all, as when the user works elsewhere.
    void focus_nowhere();
    void click(int x, int y);
    // A chord: every key pressed in order, then released in reverse.
    void keys(const std::vector<unsigned long> &keysyms);
    void press(unsigned long keysym);
    void release(unsigned long keysym);
    // The server's own: a key held is pressed once, or again and again.
    void set_key_repeat(bool repeat);
    // What a window manager sends when the user clicks the close box.
    void ask_to_close(Window window);

    // The exit code, or nothing if the program has not ended by then.
    std::optional<int> wait_for_exit(std::chrono::milliseconds limit = GENEROUS_WAIT);
    std::string output() const;  // what the program wrote to stdout and stderr
    std::string file(const std::string &name) const;      // a path in the program's working directory
    std::string contents(const std::string &name) const;  // what a file there holds

private:
    Display *display_;
    std::string directory_;
    pid_t child_ = -1;
    Clock::time_point started_;
};

}  // namespace desktop_test
