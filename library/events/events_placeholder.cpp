// Placeholder until windows, the Run menu and the event wait land.
#include "library_state.h"

HWND graphics_window = nullptr;
HWND text_window = nullptr;
HINSTANCE program_instance = nullptr;
HDC window_dc = nullptr;
HDC canvas_dc = nullptr;
HBITMAP canvas_bitmap = nullptr;
int32_t canvas_dirty = 1;
int32_t centre_x = 0;
int32_t centre_y = 0;
HMENU run_menu = nullptr;
InputState input = {};

int QZ370_begin(HINSTANCE, HINSTANCE, LPSTR, int) { return 1; }
int QZ370_end() { return 1; }
int QZ370_next_event(int *x, int *y, char *key) { *x = 0; *y = 0; *key = 0; return QZ370_EXIT; }
int QZ370_set_animation(int) { return graphics_window ? 1 : 0; }
LRESULT CALLBACK graphics_window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
void present_canvas() {}
void build_run_menu(HWND) {}
void perform_run_command(WPARAM) {}
void handle_key_down(WPARAM) {}
void handle_key_up(WPARAM) {}
