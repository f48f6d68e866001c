#include "desktop/game_under_x.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace desktop_test {

namespace {

constexpr std::chrono::milliseconds POLL_INTERVAL{20};
constexpr const char *OUTPUT_FILE = "output.txt";
constexpr unsigned int LEFT_BUTTON = 1;
constexpr int SIGNAL_EXIT_BASE = 128;

// A failed request (a window gone between two looks) must not end the test
// program, as Xlib's own handler would.
int ignore_x_error(Display *, XErrorEvent *) { return 0; }

uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = __builtin_ctzl(mask);
    unsigned long value = (pixel & mask) >> shift;
    unsigned long maximum = mask >> shift;
    return static_cast<uint32_t>(value * 255 / maximum);
}

std::string window_title(Display *display, Window window)
{
    char *name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return "";
    }
    std::string title = name;
    XFree(name);
    return title;
}

bool is_viewable(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

Window search(Display *display, Window parent, const std::string &title)
{
    Window root = 0;
    Window up = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (window_title(display, children[i]) == title && is_viewable(display, children[i])) {
            found = children[i];
        } else {
            found = search(display, children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

}  // namespace

int Screenshot::count(uint32_t color, int left, int top, int right, int bottom) const
{
    int found = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            found += at(x, y) == color;
        }
    }
    return found;
}

bool wait_until(const std::function<bool()> &condition, std::chrono::milliseconds limit)
{
    Clock::time_point deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return true;
}

bool desktop_tests_enabled()
{
    const char *enabled = std::getenv("QZ370_DESKTOP_TESTS");
    return enabled != nullptr && std::string(enabled) == "1";
}

Display *GameUnderX::open_display()
{
    XSetErrorHandler(ignore_x_error);
    return XOpenDisplay(nullptr);
}

GameUnderX::GameUnderX(Display *display) : display_(display) {}

GameUnderX::~GameUnderX()
{
    if (child_ > 0) {
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
    }
    if (!directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    XCloseDisplay(display_);
}

void GameUnderX::start(const std::vector<std::string> &environment, const std::string &program)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qz370-desktop-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    directory_ = pattern;
    std::string output = directory_ + "/" + OUTPUT_FILE;
    started_ = Clock::now();
    child_ = fork();
    if (child_ == 0) {
        // The program writes its script file into its working directory.
        int log = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(directory_.c_str()) != 0 || log < 0) {
            _exit(EXIT_FAILURE);
        }
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        unsetenv("QZ370_DISPLAY");
        unsetenv("QZ370_SCALE");
        for (const std::string &entry : environment) {
            size_t equals = entry.find('=');
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(EXIT_FAILURE);
    }
}

Window GameUnderX::find_window(const std::string &title) const
{
    return search(display_, DefaultRootWindow(display_), title);
}

Window GameUnderX::wait_for_window(const std::string &title) const
{
    Window found = 0;
    wait_until([&] { return (found = find_window(title)) != 0; });
    return found;
}

Geometry GameUnderX::geometry(Window window) const
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return Geometry{x, y, attributes.width, attributes.height};
}

Screenshot GameUnderX::capture(int x, int y, int width, int height) const
{
    Screenshot shot;
    int screen = DefaultScreen(display_);
    int right = std::min(x + width, DisplayWidth(display_, screen));
    int bottom = std::min(y + height, DisplayHeight(display_, screen));
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (right <= x || bottom <= y) {
        return shot;
    }
    XImage *image = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(right - x),
                              static_cast<unsigned>(bottom - y), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    shot.width = right - x;
    shot.height = bottom - y;
    shot.pixels.reserve(static_cast<size_t>(shot.width) * shot.height);
    for (int row = 0; row < shot.height; ++row) {
        for (int column = 0; column < shot.width; ++column) {
            unsigned long pixel = XGetPixel(image, column, row);
            shot.pixels.push_back((channel(pixel, image->red_mask) << 16) | (channel(pixel, image->green_mask) << 8) |
                                  channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return shot;
}

void GameUnderX::focus(Window window)
{
    Geometry place = geometry(window);
    XTestFakeMotionEvent(display_, -1, place.x + place.width / 2, place.y + place.height / 2, CurrentTime);
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

Window GameUnderX::focused() const
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
}

void GameUnderX::focus_nowhere()
{
    XSetInputFocus(display_, None, RevertToNone, CurrentTime);
    XSync(display_, False);
}

void GameUnderX::click(int x, int y)
{
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display_, LEFT_BUTTON, True, CurrentTime);
    XTestFakeButtonEvent(display_, LEFT_BUTTON, False, CurrentTime);
    XSync(display_, False);
}

void GameUnderX::keys(const std::vector<unsigned long> &keysyms)
{
    for (unsigned long keysym : keysyms) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), True, CurrentTime);
    }
    for (auto keysym = keysyms.rbegin(); keysym != keysyms.rend(); ++keysym) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, *keysym), False, CurrentTime);
    }
    XSync(display_, False);
}

void GameUnderX::press(unsigned long keysym)
{
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), True, CurrentTime);
    XSync(display_, False);
}

void GameUnderX::release(unsigned long keysym)
{
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), False, CurrentTime);
    XSync(display_, False);
}

void GameUnderX::set_key_repeat(bool repeat)
{
    if (repeat) {
        XAutoRepeatOn(display_);
    } else {
        XAutoRepeatOff(display_);
    }
    XSync(display_, False);
}

void GameUnderX::ask_to_close(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

std::optional<int> GameUnderX::wait_for_exit(std::chrono::milliseconds limit)
{
    int status = 0;
    bool ended = child_ > 0 && wait_until([&] { return waitpid(child_, &status, WNOHANG) == child_; }, limit);
    if (!ended) {
        return std::nullopt;
    }
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : SIGNAL_EXIT_BASE + WTERMSIG(status);
}

std::string GameUnderX::file(const std::string &name) const
{
    return directory_ + "/" + name;
}

std::string GameUnderX::output() const { return contents(OUTPUT_FILE); }

std::string GameUnderX::contents(const std::string &name) const
{
    std::ifstream file(directory_ + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace desktop_test
