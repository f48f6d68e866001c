// Presenting without copying: a bitmap put onto the whole client of a window
// gives the window its block of pixels and takes the window's old block in
// exchange; the window shows the part its client covers. The bitmap's own
// pixels are then the window's; it takes a copy back only when it is next
// drawn on or read, or before the window's pixels change or go.
//
// A program that draws each frame on the same bitmap and shows it in the same
// window gets back, at each exchange, the block it lent at the one before:
// its pixels as they were then. The copy back then needs only what was drawn
// on the bitmap between the two exchanges, less what the next call paints
// over: a frame drawn over the last one in full copies nothing.
#include "display/display_driver.h"
#include "gdi/gdi_internals.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qz370::platform {

namespace {

constexpr RECT NOTHING{0, 0, 0, 0};

bool contains(const RECT &outer, const RECT &inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

int64_t area(const RECT &rect)
{
    return (int64_t{rect.right} - rect.left) * (int64_t{rect.bottom} - rect.top);
}

// A few boxes that together cover what was drawn: a frame's backdrop and the
// odd small shape beyond it stay apart instead of joining into the whole.
class DrawnArea {
public:
    static DrawnArea whole(int width, int height)
    {
        DrawnArea all;
        all.add(RECT{0, 0, width, height});
        return all;
    }

    void add(const RECT &box)
    {
        if (is_empty(box) || std::any_of(boxes_, boxes_ + count_, [&](const RECT &b) { return contains(b, box); })) {
            return;
        }
        if (count_ < MOST_BOXES) {
            boxes_[count_++] = box;
            return;
        }
        RECT *cheapest = std::min_element(boxes_, boxes_ + count_, [&](const RECT &a, const RECT &b) {
            return area(joined(a, box)) - area(a) < area(joined(b, box)) - area(b);
        });
        *cheapest = joined(*cheapest, box);
    }

    const RECT *begin() const { return boxes_; }
    const RECT *end() const { return boxes_ + count_; }

private:
    static constexpr int MOST_BOXES = 8;
    RECT boxes_[MOST_BOXES]{};
    int count_ = 0;
};

struct PixelLoan {
    HGDIOBJ bitmap;  // null while nothing is lent
    HWND window;
    DrawnArea stale;  // where the block the bitmap holds may differ from the lent pixels
};

// The last exchange, kept after its loan ends until the next one.
struct LastExchange {
    HGDIOBJ bitmap;
    HWND window;
    bool window_kept;  // the window's block still holds the pixels lent to it
    DrawnArea drawn;   // bitmap pixels drawn on since
};

PixelLoan loan{nullptr, nullptr, DrawnArea{}};
LastExchange last{nullptr, nullptr, false, DrawnArea{}};

RECT within(const RECT &rect, const BitmapData &bitmap)
{
    return intersection(rect, RECT{0, 0, bitmap.width, bitmap.height});
}

BitmapData *bitmap_data(HGDIOBJ bitmap)
{
    GdiObject *object = gdi_object_from(bitmap);
    return object != nullptr && object->kind == ObjectKind::Bitmap ? &object->bitmap : nullptr;
}

void copy_row_part(uint32_t *to, const uint32_t *from, LONG left, LONG right)
{
    if (left < right) {
        std::memcpy(to + left, from + left, static_cast<size_t>(right - left) * sizeof(uint32_t));
    }
}

// The bitmap's pixels within a stale box as the window holds them, except
// within skip, which is about to be painted over.
void copy_back_box(BitmapData &bitmap, const uint32_t *lent, const RECT &stale, const RECT &skip)
{
    const RECT copied = within(stale, bitmap);
    const size_t width = static_cast<size_t>(bitmap.width);
    uint32_t *pixels = bitmap.pixels.data();
    for (LONG row = copied.top; row < copied.bottom; ++row) {
        uint32_t *to = pixels + static_cast<size_t>(row) * width;
        const uint32_t *from = lent + static_cast<size_t>(row) * width;
        if (is_empty(skip) || row < skip.top || row >= skip.bottom) {
            copy_row_part(to, from, copied.left, copied.right);
            continue;
        }
        copy_row_part(to, from, copied.left, std::min(copied.right, skip.left));
        copy_row_part(to, from, std::max(copied.left, skip.right), copied.right);
    }
}

void copy_back(BitmapData &bitmap, const uint32_t *lent, const DrawnArea &stale, const RECT *painted)
{
    const RECT skip = painted == nullptr ? NOTHING : within(*painted, bitmap);
    for (const RECT &box : stale) {
        copy_back_box(bitmap, lent, box, skip);
    }
}

void end_loan(const RECT *painted)
{
    const PixelLoan ended = std::exchange(loan, PixelLoan{nullptr, nullptr, DrawnArea{}});
    BitmapData *bitmap = bitmap_data(ended.bitmap);
    Window *window = window_from(ended.window);
    if (bitmap == nullptr || window == nullptr) {
        return;
    }
    // The window holds the bitmap's old block whole, rows and all.
    copy_back(*bitmap, window->pixels.data(), ended.stale, painted);
}

// What the block the window hands back may differ in: only what was drawn
// since the last exchange, when that was with the same pair and the window
// has kept its block as it was.
DrawnArea stale_after_exchange(HGDIOBJ bitmap, HWND window, const BitmapData &data)
{
    const bool same_block_back = last.bitmap == bitmap && last.window == window && last.window_kept;
    return same_block_back ? last.drawn : DrawnArea::whole(data.width, data.height);
}

bool covers_client(const Window &window, int x, int y, int width, int height, int src_x, int src_y)
{
    return x == 0 && y == 0 && src_x == 0 && src_y == 0 && width >= window.pixel_width &&
           height >= window.pixel_height;
}

}  // namespace

bool lend_bitmap_to_client(HDC dest, HDC src, int x, int y, int width, int height, int src_x, int src_y)
{
    DeviceContext *to = context_from(dest);
    DeviceContext *from = context_from(src);
    if (to == nullptr || from == nullptr || to->kind != ContextKind::Window || from->kind != ContextKind::Memory ||
        from->bitmap == default_bitmap()) {
        return false;
    }
    Window *window = window_from(to->hwnd);
    BitmapData *bitmap = bitmap_data(from->bitmap);
    if (window == nullptr || window->parent != nullptr || bitmap == nullptr ||
        !covers_client(*window, x, y, width, height, src_x, src_y)) {
        return false;
    }
    // Nothing has touched either since the last exchange: the window shows
    // the bitmap's pixels already.
    if (loan.bitmap != from->bitmap || loan.window != to->hwnd) {
        end_loan(nullptr);
        const DrawnArea stale = stale_after_exchange(from->bitmap, to->hwnd, *bitmap);
        if (!exchange_client_pixels(*window, bitmap->pixels, bitmap->width, bitmap->height)) {
            return false;
        }
        loan = PixelLoan{from->bitmap, to->hwnd, stale};
        last = LastExchange{from->bitmap, to->hwnd, true, DrawnArea{}};
    }
    display_driver().client_changed(to->hwnd);
    return true;
}

void end_pixel_loan_of_bitmap(HGDIOBJ bitmap, const RECT *painted)
{
    if (loan.bitmap != nullptr && loan.bitmap == bitmap) {
        end_loan(painted);
    }
}

void end_pixel_loan_of(const Window &window)
{
    if (loan.window != nullptr && window_from(loan.window) == &window) {
        end_loan(nullptr);
    }
    // Whoever asks is about to change or replace the window's pixels.
    if (last.window != nullptr && window_from(last.window) == &window) {
        last.window_kept = false;
    }
}

void note_bitmap_drawn(HGDIOBJ bitmap, const RECT &reach)
{
    if (bitmap == last.bitmap) {
        last.drawn.add(reach);
    }
}

}  // namespace qz370::platform
