// What changed in a top-level window's client pixels since its display last
// showed them, kept as one box, and the columns at the client's right known to
// be all one colour. The text window's lines are short: right of them every
// row is the background, so a scroll of its whole client changes only the
// columns left of them, and the display shows only those.
#include "display/display_driver.h"
#include "rects.h"
#include "user/window_internals.h"

#include <algorithm>
#include <utility>

namespace qz370::platform {

namespace {

RECT whole_client(const Window &window)
{
    return RECT{0, 0, window.pixel_width, window.pixel_height};
}

void set_uniform_from(Window &window, LONG column)
{
    window.uniform_columns = window.pixel_width - std::clamp<LONG>(column, 0, window.pixel_width);
    window.stored_uniform_columns = std::min(window.stored_uniform_columns, window.uniform_columns);
}

// What is left of the uniform columns once box, within the client, was
// painted in color: more when it paints every row from the uniform columns
// leftwards in their colour, or every row to the right edge in another.
void follow_fill(Window &window, const RECT &box, uint32_t color)
{
    const bool every_row = box.top == 0 && box.bottom == window.pixel_height;
    const bool same_color = window.uniform_columns > 0 && color == window.uniform_color;
    if (every_row && same_color && box.right >= uniform_from(window)) {
        set_uniform_from(window, std::min<LONG>(box.left, uniform_from(window)));
    } else if (every_row && box.right == window.pixel_width) {
        window.stored_uniform_columns = 0;
        window.uniform_color = color;
        set_uniform_from(window, box.left);
    } else if (!same_color) {
        set_uniform_from(window, std::max<LONG>(box.right, uniform_from(window)));
    }
}

}  // namespace

int uniform_from(const Window &window)
{
    return window.pixel_width - window.uniform_columns;
}

int stored_uniform_from(const Window &window)
{
    return window.pixel_width - window.stored_uniform_columns;
}

void note_client_drawn(Window &window, const RECT &reach)
{
    const RECT drawn = intersection(reach, whole_client(window));
    if (is_empty(drawn)) {
        return;
    }
    window.changed = joined(window.changed, drawn);
    set_uniform_from(window, std::max<LONG>(drawn.right, uniform_from(window)));
}

void note_client_filled(Window &window, const RECT &box, uint32_t color)
{
    const RECT filled = intersection(box, whole_client(window));
    if (is_empty(filled)) {
        return;
    }
    window.changed = joined(window.changed, filled);
    follow_fill(window, filled, color);
}

void note_client_replaced(Window &window)
{
    window.changed = whole_client(window);
    window.uniform_columns = 0;
    window.stored_uniform_columns = 0;
}

void note_client_scrolled(Window &window)
{
    window.changed = joined(window.changed, RECT{0, 0, uniform_from(window), window.pixel_height});
}

void client_pixels_drawn(HWND top, const RECT &reach)
{
    if (Window *window = window_from(top)) {
        note_client_drawn(*window, reach);
    }
    display_driver().client_changed(top);
}

void client_pixels_filled(HWND top, const RECT &box, uint32_t color)
{
    if (Window *window = window_from(top)) {
        note_client_filled(*window, box, color);
    }
    display_driver().client_changed(top);
}

uint32_t *client_pixels_to_show(Window &window, RECT *changed)
{
    uint32_t *rows = client_pixel_rows(window);
    *changed = std::exchange(window.changed, RECT{0, 0, 0, 0});
    return rows;
}

}  // namespace qz370::platform
