// A small table of shapes met lately, each with the runs of pixels it drew.
// The pixel rules use only differences of coordinates and add the rest, so a
// shape moved by whole pixels draws the same runs moved by as much; a shape
// wholly inside the clip box needs no cutting either.
#include "gdi/raster/shape_memory.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qz370::raster::detail {

namespace {

constexpr int MOST_CORNERS = 8;
// Bigger shapes are few, and their rows cost more than finding them.
constexpr int64_t MOST_EXTENT = 128;
// Each shape has a few slots it may take; a new shape takes the one least
// lately used, so shapes that meet the same slots do not keep pushing each
// other out before either is remembered.
constexpr size_t SETS = 32;
constexpr size_t WAYS = 4;
// A shape of more runs than this is drawn afresh each time: the memory stays
// small whatever shapes a program draws.
constexpr size_t MOST_RUNS = 512;
// A band of blank pixels around the scratch shape shows that nothing fell
// outside the box the shape was expected to keep to.
constexpr int64_t MARGIN = 1;

// The inks a shape is worked out with, standing for the caller's colours.
enum Ink : uint8_t { BLANK, BRUSH_INK, PEN_INK };

enum class ShapeKind : int32_t { Polygon = 1, Ellipse };

// Everything a shape's pixels depend on but its place: the corners (for an
// ellipse, the box's size) relative to the top-left of its box, and which of
// pen and brush draw it.
struct ShapeKey {
    ShapeKind kind;
    int32_t corner_count;
    int32_t pen_visible;
    int32_t brush_visible;
    int32_t one_color;  // pen and brush both visible and of one colour
    std::array<int32_t, 2 * MOST_CORNERS> coordinates;

    // Only the corners in use count.
    bool operator==(const ShapeKey &other) const {
        if (kind != other.kind || corner_count != other.corner_count || pen_visible != other.pen_visible ||
            brush_visible != other.brush_visible || one_color != other.one_color)
            return false;
        return std::equal(coordinates.begin(), coordinates.begin() + 2 * corner_count, other.coordinates.begin());
    }
};

// The box the shape's pixels lie in, corners included.
struct ShapeBox {
    int64_t left, top, right, bottom;
};

struct Run {
    int32_t row;  // from the box's top
    int32_t left;  // from the box's left
    int32_t length;
    Ink ink;
};

enum class Memory : uint8_t { Empty, SeenOnce, Runs, Unfit };

struct Slot {
    ShapeKey key;
    Memory memory = Memory::Empty;
    uint64_t last_used = 0;
    std::vector<Run> runs;
};

bool remembering = true;
std::array<std::array<Slot, WAYS>, SETS> slots;
uint64_t uses = 0;

// Draws the shape with its corners moved by offset, on a scratch surface.
using ShapeDrawer = void (*)(Surface &surface, const void *shape, Point64 offset, const Pen &pen,
                             const Brush &brush);

size_t set_of(const ShapeKey &key) {
    constexpr uint64_t MIX = 0x9E3779B97F4A7C15ULL;
    uint64_t hash = static_cast<uint64_t>(key.kind) * 8 + key.pen_visible * 4 + key.brush_visible * 2 + key.one_color;
    for (int i = 0; i < 2 * key.corner_count; ++i) hash = (hash ^ static_cast<uint32_t>(key.coordinates[i])) * MIX;
    return static_cast<size_t>(hash >> 32) % SETS;
}

// The key's slot. A key not met lately takes the slot least lately used, as
// seen once, and *met_before is false.
Slot &slot_for(const ShapeKey &key, bool *met_before) {
    std::array<Slot, WAYS> &set = slots[set_of(key)];
    Slot *least_used = &set[0];
    for (Slot &slot : set) {
        if (slot.memory != Memory::Empty && slot.key == key) {
            *met_before = true;
            return slot;
        }
        if (slot.last_used < least_used->last_used) least_used = &slot;
    }
    least_used->key = key;
    least_used->memory = Memory::SeenOnce;
    *met_before = false;
    return *least_used;
}

bool fits(const Surface &surface, const ShapeBox &box, const Pen &pen, const Brush &brush) {
    const RECT &clip = surface.clip;
    return (pen.visible || brush.visible) && (!pen.visible || pen.width <= 1) &&
           box.right - box.left < MOST_EXTENT && box.bottom - box.top < MOST_EXTENT && box.left >= clip.left &&
           box.top >= clip.top && box.right < clip.right && box.bottom < clip.bottom;
}

ShapeKey key_for(ShapeKind kind, int count, const Pen &pen, const Brush &brush) {
    ShapeKey key{};
    key.kind = kind;
    key.corner_count = count;
    key.pen_visible = pen.visible;
    key.brush_visible = brush.visible;
    key.one_color = pen.visible && brush.visible && pen.color == brush.color;
    return key;
}

bool only_margin_blank(const std::vector<uint32_t> &scratch, int64_t width, int64_t height) {
    for (int64_t y = 0; y < height; ++y) {
        const bool margin_row = y < MARGIN || y >= height - MARGIN;
        for (int64_t x = 0; x < width; ++x)
            if ((margin_row || x < MARGIN || x >= width - MARGIN) && scratch[y * width + x] != BLANK) return false;
    }
    return true;
}

// Runs of one ink along the rows inside the margin.
void collect_runs(const std::vector<uint32_t> &scratch, int64_t width, int64_t height, std::vector<Run> &runs) {
    runs.clear();
    for (int64_t y = MARGIN; y < height - MARGIN; ++y) {
        const uint32_t *row = scratch.data() + y * width;
        for (int64_t x = MARGIN; x < width - MARGIN;) {
            const uint32_t ink = row[x];
            int64_t end = x + 1;
            while (end < width - MARGIN && row[end] == ink) ++end;
            if (ink != BLANK)
                runs.push_back(Run{static_cast<int32_t>(y - MARGIN), static_cast<int32_t>(x - MARGIN),
                                   static_cast<int32_t>(end - x), static_cast<Ink>(ink)});
            x = end;
        }
    }
}

// The shape's runs, worked out by drawing it in inks on blank pixels; false
// when something fell outside its box or the runs are too many to keep.
bool work_out_runs(const ShapeKey &key, const ShapeBox &box, ShapeDrawer draw, const void *shape,
                   std::vector<Run> &runs) {
    static std::vector<uint32_t> scratch;
    const int64_t width = box.right - box.left + 1 + 2 * MARGIN, height = box.bottom - box.top + 1 + 2 * MARGIN;
    scratch.assign(static_cast<size_t>(width * height), BLANK);
    Surface surface{scratch.data(), static_cast<int>(width), static_cast<int>(height), static_cast<int>(width),
                    RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)}};
    const Pen pen{key.pen_visible != 0, 1, key.one_color ? BRUSH_INK : PEN_INK};
    const Brush brush{key.brush_visible != 0, BRUSH_INK};
    draw(surface, shape, Point64{MARGIN - box.left, MARGIN - box.top}, pen, brush);
    if (!only_margin_blank(scratch, width, height)) return false;
    collect_runs(scratch, width, height, runs);
    return runs.size() <= MOST_RUNS;
}

void draw_runs(Surface &surface, const std::vector<Run> &runs, const ShapeBox &box, const Pen &pen,
               const Brush &brush) {
    const uint32_t inks[] = {0, brush.color, pen.color};
    // The stride in a local: a pixel written could, as far as the compiler
    // knows, be the surface's stride, which it would then read again.
    const int64_t stride = surface.stride;
    uint32_t *const origin = surface.pixels + box.top * stride + box.left;
    for (const Run &run : runs) fill_pixels(origin + run.row * stride + run.left, run.length, inks[run.ink]);
}

// A shape met a second time: its runs, or that it is unfit to keep.
void remember_runs(Slot &slot, const ShapeBox &box, ShapeDrawer draw, const void *shape) {
    if (work_out_runs(slot.key, box, draw, shape, slot.runs)) {
        slot.memory = Memory::Runs;
        return;
    }
    slot.memory = Memory::Unfit;
    std::vector<Run>().swap(slot.runs);
}

bool draw_remembered(Surface &surface, const ShapeKey &key, const ShapeBox &box, const Pen &pen, const Brush &brush,
                     ShapeDrawer draw, const void *shape) {
    bool met_before = false;
    Slot &slot = slot_for(key, &met_before);
    slot.last_used = ++uses;
    if (!met_before) return false;
    if (slot.memory == Memory::SeenOnce) remember_runs(slot, box, draw, shape);
    if (slot.memory == Memory::Unfit) return false;
    draw_runs(surface, slot.runs, box, pen, brush);
    return true;
}

struct MovedPolygon {
    const Point64 *points;
    int count;
};

void draw_moved_polygon(Surface &surface, const void *shape, Point64 offset, const Pen &pen, const Brush &brush) {
    const auto &polygon = *static_cast<const MovedPolygon *>(shape);
    Point64 moved[MOST_CORNERS];
    for (int i = 0; i < polygon.count; ++i)
        moved[i] = Point64{polygon.points[i].x + offset.x, polygon.points[i].y + offset.y};
    polygon_directly(surface, moved, polygon.count, pen, brush);
}

void draw_moved_ellipse(Surface &surface, const void *shape, Point64 offset, const Pen &pen, const Brush &brush) {
    const auto &box = *static_cast<const ShapeBox *>(shape);
    ellipse_directly(surface, box.left + offset.x, box.top + offset.y, box.right - box.left + 1,
                     box.bottom - box.top + 1, pen, brush);
}

}  // namespace

bool draw_remembered_polygon(Surface &surface, const Point64 *points, int count, const Pen &pen, const Brush &brush) {
    if (!remembering || count > MOST_CORNERS) return false;
    ShapeBox box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) {
        box.left = std::min(box.left, points[i].x);
        box.right = std::max(box.right, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.bottom = std::max(box.bottom, points[i].y);
    }
    if (!fits(surface, box, pen, brush)) return false;
    ShapeKey key = key_for(ShapeKind::Polygon, count, pen, brush);
    for (int i = 0; i < count; ++i) {
        key.coordinates[2 * i] = static_cast<int32_t>(points[i].x - box.left);
        key.coordinates[2 * i + 1] = static_cast<int32_t>(points[i].y - box.top);
    }
    const MovedPolygon polygon{points, count};
    return draw_remembered(surface, key, box, pen, brush, draw_moved_polygon, &polygon);
}

bool draw_remembered_ellipse(Surface &surface, int64_t left, int64_t top, int64_t width, int64_t height,
                             const Pen &pen, const Brush &brush) {
    if (!remembering) return false;
    const ShapeBox box{left, top, left + width - 1, top + height - 1};
    if (!fits(surface, box, pen, brush)) return false;
    ShapeKey key = key_for(ShapeKind::Ellipse, 1, pen, brush);
    key.coordinates[0] = static_cast<int32_t>(width);
    key.coordinates[1] = static_cast<int32_t>(height);
    return draw_remembered(surface, key, box, pen, brush, draw_moved_ellipse, &box);
}

void remember_shapes(bool on) {
    remembering = on;
    for (auto &set : slots)
        for (Slot &slot : set) slot = Slot{};
}

}  // namespace qz370::raster::detail
