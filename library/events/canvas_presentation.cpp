// Present by copy: the whole canvas reaches the window in one block, and only
// when something was drawn since the last copy (or the window asks to be painted).
#include "library_state.h"

int32_t canvas_dirty = 1;

void present_canvas()
{
    // The window system clips the block to the client area.
    BitBlt(window_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, canvas_dc, 0, 0, SRCCOPY);
    canvas_dirty = 0;
}
