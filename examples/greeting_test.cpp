// Testing a program headlessly from C++. This runs greeting.cpp's WinMain on
// the headless display, with no screen and a virtual clock, and plays the
// user from the idle hook, which runs whenever the program would wait with
// nothing to do: a click in the graphics window, a name typed into the dialog
// and Enter, then the close box. The greeting must show, in purple, and the
// program must return 0.
#include <qz370.h>
#include <qz370_headless.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace headless = qz370::headless;

namespace {

const uint32_t PURPLE = 0x9900CC;  // palette colour 8, as client pixels hold it
const char NAME[] = "Grace";
const char GRAPHICS_TITLE[] = "QZ370 Graphics";
const int MAX_IDLE_STEPS = 10;  // more means the program ignored the user

HWND graphics = nullptr;
int idle_steps = 0;
bool greeted = false;

bool shows_purple(HWND window)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(window, &width, &height);
    for (int i = 0; pixels != nullptr && i < width * height; i++) {
        if (pixels[i] == PURPLE) {
            return true;
        }
    }
    return false;
}

void play_user()
{
    switch (idle_steps++) {
    case 0:  // the program waits for its first event
        graphics = FindWindowA(nullptr, GRAPHICS_TITLE);
        headless::click(graphics, 100, 100);
        break;
    case 1:  // the dialog is open, its edit field has the focus
        for (const char *c = NAME; *c != '\0'; c++) {
            headless::type_char(GetFocus(), static_cast<unsigned char>(*c));
        }
        headless::key_down(GetFocus(), VK_RETURN);
        headless::key_up(GetFocus(), VK_RETURN);
        break;
    case 2:
        greeted = shows_purple(graphics);
        headless::close_window(graphics);
        break;
    default:
        if (idle_steps > MAX_IDLE_STEPS) {
            std::fprintf(stderr, "greeting_test: the program did not end when its window was closed\n");
            std::exit(1);
        }
    }
}

}  // namespace

int main()
{
    headless::set_idle_hook(play_user);
    char command_line[] = "";
    const int status = WinMain(nullptr, nullptr, command_line, SW_SHOWNORMAL);
    if (status != 0 || !greeted) {
        std::fprintf(stderr, "greeting_test: exit code %d, greeting %s\n", status, greeted ? "shown" : "not shown");
        return 1;
    }
    return 0;
}
