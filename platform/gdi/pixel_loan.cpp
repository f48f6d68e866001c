// Presenting without copying: a bitmap put onto the whole client of a window
// gives the window its block of pixels and takes the window's old block in
// exchange; the window shows the part its client covers. The bitmap's own pixels are then the window's; it takes
// a copy back only when it is next drawn on or read, or before the window's
// pixels change or go. A program that draws a frame, shows it and draws the
// next one over it in full copies only what the new frame leaves alone.
#include "display/display_driver.h"
#include "gdi/gdi_internals.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qz370::platform {

namespace {

struct PixelLoan {
    HGDIOBJ bitmap;  // null while nothing is lent
    HWND window;
};

PixelLoan loan{nullptr, nullptr};

BitmapData *bitmap_data(HGDIOBJ bitmap)
{
    GdiObject *object = gdi_object_from(bitmap);
    return object != nullptr && object->kind == ObjectKind::Bitmap ? &object->bitmap : nullptr;
}

// The bitmap's pixels as the window holds them, except within painted
// (may be null), which is about to be painted over.
void copy_back(BitmapData &bitmap, const uint32_t *lent, const RECT *painted)
{
    const RECT skip = painted == nullptr ? RECT{0, 0, 0, 0}
                                         : RECT{std::clamp<LONG>(painted->left, 0, bitmap.width),
                                                std::clamp<LONG>(painted->top, 0, bitmap.height),
                                                std::clamp<LONG>(painted->right, 0, bitmap.width),
                                                std::clamp<LONG>(painted->bottom, 0, bitmap.height)};
    const bool skipping = skip.left < skip.right && skip.top < skip.bottom;
    const size_t width = static_cast<size_t>(bitmap.width);
    uint32_t *to = bitmap.pixels.data();
    for (LONG row = 0; row < bitmap.height; ++row) {
        const size_t start = static_cast<size_t>(row) * width;
        if (!skipping || row < skip.top || row >= skip.bottom) {
            std::memcpy(to + start, lent + start, width * sizeof(uint32_t));
            continue;
        }
        std::memcpy(to + start, lent + start, static_cast<size_t>(skip.left) * sizeof(uint32_t));
        std::memcpy(to + start + skip.right, lent + start + skip.right, (width - skip.right) * sizeof(uint32_t));
    }
}

void end_loan(const RECT *painted)
{
    const PixelLoan ended = std::exchange(loan, PixelLoan{nullptr, nullptr});
    BitmapData *bitmap = bitmap_data(ended.bitmap);
    Window *window = window_from(ended.window);
    if (bitmap == nullptr || window == nullptr) {
        return;
    }
    // The window holds the bitmap's old block whole, rows and all.
    copy_back(*bitmap, window->pixels.data(), painted);
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
        if (!exchange_client_pixels(*window, bitmap->pixels, bitmap->width, bitmap->height)) {
            return false;
        }
        loan = PixelLoan{from->bitmap, to->hwnd};
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
}

}  // namespace qz370::platform
