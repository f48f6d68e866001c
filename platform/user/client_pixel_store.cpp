// Where a top-level window keeps its client pixels. A scroll of the whole
// client moves where row 0 starts instead of moving the rows: the store keeps
// spare rows below the client and moves the client back to the top only when
// they run out. The rows a scroll uncovers keep what they showed, which is
// copied from the rows above them only when someone next looks or draws there.
// Painting held back for the window is played before anyone does.
#include "gdi/deferred_painting.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>

namespace qz370::platform {

namespace {

// Spare rows, as a multiple of the client's height, kept once a window
// scrolls: the text window scrolls hundreds of times a second, and each time
// the spare rows run out the whole client is moved once.
constexpr int SPARE_HEIGHTS = 7;

size_t row_pixels(const Window &window, int rows)
{
    return static_cast<size_t>(rows) * static_cast<size_t>(window.pixel_stride);
}

uint32_t *row_at(Window &window, int row)
{
    return window.pixels.data() + window.first_pixel + row_pixels(window, row);
}

// Copies the columns of rows [top, bottom) from `rows` rows above, except
// those from left to right (excluded) and those that hold one colour in every
// row.
void copy_from_above(Window &window, int top, int bottom, int rows, LONG left, LONG right)
{
    const size_t width = static_cast<size_t>(stored_uniform_from(window));
    const size_t keep_from = std::min(static_cast<size_t>(std::max<LONG>(left, 0)), width);
    const size_t keep_to = std::clamp(static_cast<size_t>(std::max<LONG>(right, 0)), keep_from, width);
    for (int row = top; row < bottom; ++row) {
        uint32_t *to = row_at(window, row);
        const uint32_t *from = row_at(window, row - rows);
        if (keep_from > 0) {
            std::memcpy(to, from, keep_from * sizeof(uint32_t));
        }
        if (keep_to < width) {
            std::memcpy(to + keep_to, from + keep_to, (width - keep_to) * sizeof(uint32_t));
        }
    }
}

// The uncovered rows need no copy where the painter covers them whole, only
// at their sides.
void settle_uncovered_rows(Window &window, const RECT *painted)
{
    const int rows = window.unsettled_rows;
    if (rows == 0) {
        return;
    }
    window.unsettled_rows = 0;
    const int top = window.pixel_height - rows;
    const bool rows_covered = painted != nullptr && painted->top <= top && painted->bottom >= window.pixel_height;
    copy_from_above(window, top, window.pixel_height, rows, rows_covered ? painted->left : 0,
                    rows_covered ? painted->right : 0);
}

// Spare rows start in the uniform colour: when the client is all the store
// holds, its uniform columns then hold it in every row.
void add_spare_rows(Window &window, size_t pixels)
{
    const bool client_only = window.first_pixel == 0 && window.pixels.size() == row_pixels(window, window.pixel_height);
    window.pixels.resize(pixels, window.uniform_color);
    window.stored_uniform_columns = client_only ? window.uniform_columns : 0;
}

// Rows above unseen_rows are not carried along: nobody sees them again.
// Columns that hold one colour in every row stay where they are.
void move_client_to_top(Window &window, int unseen_rows)
{
    if (window.stored_uniform_columns == 0) {
        std::memmove(window.pixels.data() + row_pixels(window, unseen_rows), row_at(window, unseen_rows),
                     row_pixels(window, window.pixel_height - unseen_rows) * sizeof(uint32_t));
    } else {
        const size_t moved = static_cast<size_t>(stored_uniform_from(window));
        // Each row lands whole rows before it: in this order none is overwritten before it moves.
        for (int row = unseen_rows; row < window.pixel_height; ++row) {
            std::memmove(window.pixels.data() + row_pixels(window, row), row_at(window, row), moved * sizeof(uint32_t));
        }
    }
    window.first_pixel = 0;
}

// The rows outside the client hold anything in the uniform columns not yet
// stored: they take the colour there, once, so that no later scroll or move
// has to copy those columns.
void store_uniform_columns(Window &window)
{
    const size_t stride = static_cast<size_t>(window.pixel_stride);
    const int stored_rows = stride == 0 ? 0 : static_cast<int>(window.pixels.size() / stride);
    const int client_top = stride == 0 ? 0 : static_cast<int>(window.first_pixel / stride);
    const int left = uniform_from(window);
    const int right = stored_uniform_from(window);
    if (left >= right || window.unsettled_rows != 0) {
        return;
    }
    for (int row = 0; row < stored_rows; ++row) {
        if (row < client_top || row >= client_top + window.pixel_height) {
            uint32_t *pixels = window.pixels.data() + static_cast<size_t>(row) * stride;
            std::fill(pixels + left, pixels + right, window.uniform_color);
        }
    }
    window.stored_uniform_columns = window.uniform_columns;
}

}  // namespace

// Once everything is played and settled, the client's rows hold what they show.
uint32_t *client_pixel_rows(Window &window)
{
    uint32_t *rows = client_pixel_rows_to_paint(window, nullptr);
    store_uniform_columns(window);
    return rows;
}

uint32_t *client_pixel_rows_to_paint(Window &window, const RECT *painted)
{
    settle_deferred_painting(window);
    settle_uncovered_rows(window, painted);
    return row_at(window, 0);
}

bool client_rows_slide(const Window &window, int rows)
{
    return rows >= 1 && rows <= window.pixel_height / 2;
}

bool slide_client_rows(Window &window, int rows, int unseen_rows)
{
    if (!client_rows_slide(window, rows)) {
        return false;
    }
    settle_uncovered_rows(window, nullptr);
    end_pixel_loan_of(window);
    const size_t with_spare_rows = row_pixels(window, window.pixel_height * (1 + SPARE_HEIGHTS));
    if (window.pixels.size() < with_spare_rows) {
        add_spare_rows(window, with_spare_rows);
    }
    if (window.first_pixel + row_pixels(window, window.pixel_height + rows) > window.pixels.size()) {
        move_client_to_top(window, std::clamp(unseen_rows, rows, window.pixel_height));
    }
    window.first_pixel += row_pixels(window, rows);
    window.unsettled_rows = rows;
    note_client_scrolled(window);
    return true;
}

// Every client pixel is replaced, so neither what the old block held nor the
// painting held back for it matters.
bool exchange_client_pixels(Window &window, std::vector<uint32_t> &pixels, int width, int height)
{
    if (width < window.pixel_width || height < window.pixel_height ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    discard_deferred_painting(window);
    std::vector<uint32_t> old = std::move(window.pixels);
    old.resize(pixels.size());
    window.pixels = std::move(pixels);
    pixels = std::move(old);
    window.pixel_stride = width;
    window.first_pixel = 0;
    window.unsettled_rows = 0;
    note_client_replaced(window);
    return true;
}

}  // namespace qz370::platform
