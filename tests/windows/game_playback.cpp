// vortaline-playback LOG PICTURE: the game on the real window system, playing
// QZ370.SCR from the working directory with logging on, as Ctrl+L and Ctrl+P
// would. Keeps every printed line in LOG and the graphics window's picture at
// the end of playback in PICTURE (binary PPM), then quits as Quit would.
//
// A message of its own stays posted for the whole run, so the wait never
// blocks and the animation timer never fires while the script plays: each
// time the message comes round, the driver looks at the Playback check mark.
#include <windows.h>

#include <cstdio>

#include "game_state.h"
#include "library_state.h"
#include "window_picture.h"

namespace {

constexpr UINT LOOK_AT_PLAYBACK = WM_APP;
constexpr int EXIT_BAD_USE = 2;
constexpr int EXIT_OUTPUT_FAILED = 1;
constexpr char DRIVER_CLASS[] = "QZ370PlaybackDriver";

FILE *log_file = nullptr;
const char *picture_path = nullptr;
bool playback_started = false;
bool window_missing = false;
bool picture_written = false;

void keep_printed_line(const char *line) { std::fputs(line, log_file); }

void send_run_command(UINT id) { PostMessageA(graphics_window, WM_COMMAND, id, 0); }

bool playback_checked()
{
    return (GetMenuState(run_menu, MENU_PLAYBACK, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Without the graphics window there is nothing to play in: the run ends at once.
void look_at_playback(HWND driver)
{
    if (!IsWindow(graphics_window)) {
        window_missing = true;
        PostQuitMessage(0);
        return;
    }
    if (!playback_started) {
        playback_started = true;
        send_run_command(MENU_LOGGING);
        send_run_command(MENU_PLAYBACK);
    } else if (!playback_checked()) {
        picture_written = write_client_picture(graphics_window, picture_path);
        send_run_command(MENU_QUIT);
        return;
    }
    PostMessageA(driver, LOOK_AT_PLAYBACK, 0, 0);
}

LRESULT CALLBACK driver_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LOOK_AT_PLAYBACK) {
        look_at_playback(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND create_driver_window(HINSTANCE instance)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = driver_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = DRIVER_CLASS;
    RegisterClassA(&window_class);
    return CreateWindowExA(0, DRIVER_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vortaline-playback LOG PICTURE\n");
        return EXIT_BAD_USE;
    }
    log_file = std::fopen(argv[1], "wb");  // lines end as on every system: LF
    if (log_file == nullptr) {
        std::fprintf(stderr, "vortaline-playback: cannot write %s\n", argv[1]);
        return EXIT_BAD_USE;
    }
    picture_path = argv[2];
    print_observer = keep_printed_line;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    PostMessageA(create_driver_window(instance), LOOK_AT_PLAYBACK, 0, 0);
    char no_arguments[] = "";
    game_main(instance, nullptr, no_arguments, SW_SHOWNORMAL);
    const bool log_written = std::fclose(log_file) == 0;
    if (window_missing) {
        std::fprintf(stderr, "vortaline-playback: the game's graphics window did not open\n");
        return EXIT_OUTPUT_FAILED;
    }
    if (!picture_written || !log_written) {
        std::fprintf(stderr, "vortaline-playback: cannot write %s\n", picture_written ? argv[1] : picture_path);
        return EXIT_OUTPUT_FAILED;
    }
    return 0;
}
