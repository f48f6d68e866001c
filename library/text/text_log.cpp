// Placeholder until the text window and log land.
#include "library_state.h"

TextLog text_log = {{}, -1, 0};
uint8_t logging = 1;
void (*print_observer)(const char *line) = nullptr;
int QZ370_print(const char *, ...) { return 0; }
int QZ370_set_logging(int) { return graphics_window ? 1 : 0; }
void QZ370_text_window(int) {}
void append_text_line(const char *) {}
LRESULT CALLBACK text_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
