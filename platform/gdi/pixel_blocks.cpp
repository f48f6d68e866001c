// Moving blocks of pixels: BitBlt between any two contexts and ScrollDC within
// one, each clipped at the source and at the destination.
#include "display/display_driver.h"
#include "gdi/deferred_painting.h"
#include "gdi/gdi_internals.h"
#include "user/window_internals.h"

#include <algorithm>
#include <cstring>

namespace qz370::platform {

namespace {

// A block in surface pixels, in 64 bits so no sum of coordinates can overflow.
struct Block {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
};

Block block_of(const RECT &rect) { return Block{rect.left, rect.top, rect.right, rect.bottom}; }

Block intersect(const Block &a, const Block &b)
{
    return Block{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
}

bool is_empty(const Block &block) { return block.left >= block.right || block.top >= block.bottom; }

Block moved(const Block &block, int64_t dx, int64_t dy)
{
    return Block{block.left + dx, block.top + dy, block.right + dx, block.bottom + dy};
}

uint32_t *row_start(const raster::Surface &surface, int64_t x, int64_t y)
{
    return surface.pixels + y * surface.stride + x;
}

// Copies source_block of source to where it lands after moving by (dx, dy),
// but only where that lies within allowed. Overlapping blocks of one surface
// are copied in the order that reads every pixel before it is overwritten.
// Gives the pixels of dest written.
RECT copy_block(const raster::Surface &source, Block source_block, const raster::Surface &dest, Block allowed,
                int64_t dx, int64_t dy)
{
    source_block = intersect(source_block, block_of(source.clip));
    Block dest_block = intersect(moved(source_block, dx, dy), intersect(allowed, block_of(dest.clip)));
    if (is_empty(dest_block)) {
        return RECT{0, 0, 0, 0};
    }
    size_t row_bytes = static_cast<size_t>(dest_block.right - dest_block.left) * sizeof(uint32_t);
    int64_t rows = dest_block.bottom - dest_block.top;
    bool bottom_up = source.pixels == dest.pixels && dy > 0;
    for (int64_t i = 0; i < rows; ++i) {
        int64_t y = bottom_up ? dest_block.bottom - 1 - i : dest_block.top + i;
        std::memmove(row_start(dest, dest_block.left, y), row_start(source, dest_block.left - dx, y - dy), row_bytes);
    }
    return clipped(dest_block.left, dest_block.top, dest_block.right, dest_block.bottom, dest.clip);
}

Block whole_area(const ContextSurface &target)
{
    return Block{target.surface.clip.left, target.surface.clip.top, target.surface.clip.right,
                 target.surface.clip.bottom};
}

Block in_surface(const RECT &rect, const POINT &origin)
{
    return moved(block_of(rect), origin.x, origin.y);
}

// The part of area the scroll leaves uncovered, as one rectangle in the
// context's coordinates.
RECT uncovered_part(const Block &area, int64_t dx, int64_t dy, const POINT &origin)
{
    Block covered = intersect(moved(area, dx, dy), area);
    Block strip = area;  // all of it, unless the move keeps part of the area covered
    if (dx == 0 && dy == 0) {
        strip = Block{area.left, area.top, area.left, area.top};
    } else if (!is_empty(covered) && dx == 0) {
        strip = dy > 0 ? Block{area.left, area.top, area.right, covered.top}
                       : Block{area.left, covered.bottom, area.right, area.bottom};
    } else if (!is_empty(covered) && dy == 0) {
        strip = dx > 0 ? Block{area.left, area.top, covered.left, area.bottom}
                       : Block{covered.right, area.top, area.right, area.bottom};
    }
    return RECT{static_cast<LONG>(strip.left - origin.x), static_cast<LONG>(strip.top - origin.y),
                static_cast<LONG>(strip.right - origin.x), static_cast<LONG>(strip.bottom - origin.y)};
}

bool covers_client(const RECT *rect, const Window &window)
{
    return rect == nullptr ||
           (rect->left <= 0 && rect->top <= 0 && rect->right >= window.pixel_width && rect->bottom >= window.pixel_height);
}

// An upward scroll of a top-level window's whole client moves where its rows
// start, not its pixels, and is held back with the painting that follows it.
// Gives the window and its client, or false.
bool slide_whole_client(HDC hdc, int dx, int dy, const RECT *scroll, const RECT *clip, HWND *hwnd, Block *area)
{
    DeviceContext *context = context_from(hdc);
    if (context == nullptr || context->kind != ContextKind::Window || dx != 0 || dy >= 0) {
        return false;
    }
    Window *window = window_from(context->hwnd);
    if (window == nullptr || window->parent != nullptr || dy < -window->pixel_height ||
        !covers_client(scroll, *window) || !covers_client(clip, *window) ||
        !(defer_client_scroll(context->hwnd, *window, -dy) || slide_client_rows(*window, -dy, -dy))) {
        return false;
    }
    *hwnd = context->hwnd;
    *area = Block{0, 0, window->pixel_width, window->pixel_height};
    return true;
}

}  // namespace

}  // namespace qz370::platform

using namespace qz370::platform;

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int src_x, int src_y, DWORD rop)
{
    if (rop == SRCCOPY && lend_bitmap_to_client(dest, src, x, y, width, height, src_x, src_y)) {
        return TRUE;
    }
    ContextSurface to;
    ContextSurface from;
    if (rop != SRCCOPY || !surface_of(dest, &to) || !surface_of(src, &from)) {
        return FALSE;
    }
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    int64_t source_left = int64_t{src_x} + from.origin.x;
    int64_t source_top = int64_t{src_y} + from.origin.y;
    Block source_block{source_left, source_top, source_left + width, source_top + height};
    int64_t dx = int64_t{x} + to.origin.x - source_left;
    int64_t dy = int64_t{y} + to.origin.y - source_top;
    surface_drawn(to, copy_block(from.surface, source_block, to.surface, whole_area(to), dx, dy));
    return TRUE;
}

BOOL WINAPI ScrollDC(HDC hdc, int dx, int dy, const RECT *scroll, const RECT *clip, HRGN, LPRECT update)
{
    HWND slid = nullptr;
    Block slid_area{};
    if (slide_whole_client(hdc, dx, dy, scroll, clip, &slid, &slid_area)) {
        if (update != nullptr) {
            *update = uncovered_part(slid_area, dx, dy, POINT{0, 0});
        }
        display_driver().client_changed(slid);
        return TRUE;
    }
    ContextSurface target;
    if (!surface_of(hdc, &target)) {
        return FALSE;
    }
    Block area = whole_area(target);
    if (scroll != nullptr) {
        area = intersect(area, in_surface(*scroll, target.origin));
    }
    Block allowed = clip != nullptr ? intersect(whole_area(target), in_surface(*clip, target.origin)) : area;
    const RECT written = copy_block(target.surface, area, target.surface, allowed, dx, dy);
    if (update != nullptr) {
        *update = uncovered_part(area, dx, dy, target.origin);
    }
    surface_drawn(target, written);
    return TRUE;
}
