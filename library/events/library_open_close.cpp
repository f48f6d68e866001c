// Opening and closing the library: the window classes, both windows, the
// canvas and the animation timer.
#include "library_state.h"

HWND graphics_window = nullptr;
HWND text_window = nullptr;
HINSTANCE program_instance = nullptr;
HDC window_dc = nullptr;
HDC canvas_dc = nullptr;
HBITMAP canvas_bitmap = nullptr;

namespace {

constexpr const char *GRAPHICS_CLASS = "DrawWndClass";
constexpr const char *TEXT_CLASS = "TextWndClass";
constexpr const char *GRAPHICS_TITLE = "QZ370 Graphics";
constexpr const char *TEXT_TITLE = "QZ370 Text";
// No resource carries this name; the graphics window gets its menu when it is created.
constexpr const char *CLASS_MENU_NAME = "generic";

constexpr DWORD GRAPHICS_STYLE = WS_CAPTION | WS_SYSMENU;
constexpr DWORD TEXT_STYLE = WS_OVERLAPPEDWINDOW;

// Both classes come from one description; only the procedure and the name differ.
void register_window_classes(HINSTANCE instance)
{
    WNDCLASSA window_class = {};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = graphics_window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = CreateSolidBrush(Palette[WHITE_INDEX].value);
    window_class.lpszMenuName = CLASS_MENU_NAME;
    window_class.lpszClassName = GRAPHICS_CLASS;
    RegisterClassA(&window_class);

    window_class.lpfnWndProc = text_window_proc;
    window_class.lpszClassName = TEXT_CLASS;
    RegisterClassA(&window_class);
}

void create_windows(HINSTANCE instance, int screen_width, int screen_height)
{
    graphics_window = CreateWindowExA(0, GRAPHICS_CLASS, GRAPHICS_TITLE, GRAPHICS_STYLE, 0, 0, CANVAS_WIDTH,
                                      CANVAS_HEIGHT, nullptr, nullptr, instance, nullptr);
    // The lower third of the screen, just below the top two thirds.
    text_window = CreateWindowExA(0, TEXT_CLASS, TEXT_TITLE, TEXT_STYLE, 0, (2 * screen_height) / 3 + 1,
                                  screen_width, screen_height / 3, nullptr, nullptr, instance, nullptr);
}

void create_canvas()
{
    canvas_bitmap = CreateCompatibleBitmap(window_dc, CANVAS_WIDTH, CANVAS_HEIGHT);
    canvas_dc = CreateCompatibleDC(window_dc);
    SelectObject(canvas_dc, canvas_bitmap);
}

}  // namespace

int QZ370_begin(HINSTANCE instance, HINSTANCE previous_instance, LPSTR, int show_command)
{
    if (previous_instance == nullptr) {
        register_window_classes(instance);
    }
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    input.running = 0;
    input.single_step = 0;
    create_windows(instance, screen_width, screen_height);
    program_instance = instance;
    window_dc = GetDC(graphics_window);
    create_canvas();
    ShowWindow(text_window, show_command);
    ShowWindow(graphics_window, show_command);
    SetTimer(graphics_window, ANIMATION_TIMER_ID, ANIMATION_PERIOD_MS, nullptr);
    return 1;
}

int QZ370_end()
{
    ReleaseDC(graphics_window, window_dc);
    // A released context must not be copied to again.
    window_dc = nullptr;
    // A program that ends by itself while recording keeps its last ticks, as
    // switching recording off would.
    if (input.recording) {
        write_periodic_run();
    }
    close_script_file();
    return 1;
}
