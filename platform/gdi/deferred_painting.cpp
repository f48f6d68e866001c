#include "gdi/deferred_painting.h"

#include "display/display_driver.h"
#include "gdi/fonts/text_reach.h"
#include "gdi/unseen_pixels.h"
#include "user/window_internals.h"

#include <algorithm>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qz370::platform {

namespace {

// Past either the queue is played at once: it bounds the memory held and the
// work one look at the window can cost.
constexpr size_t MOST_CALLS_HELD = 4096;
constexpr size_t MOST_TEXT_HELD = size_t{1} << 20;  // bytes

struct Scroll {
    int rows;
    // Found when played: what of the client nobody is to see.
    int unseen_rows;  // rows from the top before the scroll
    RECT unseen;      // the part of the rows it uncovers
};

// Boxes and text keep what the context held when they were called: where the
// window's client lies in the top-level pixels, the pen, brush, font and colours.
struct Box {
    RECT clip;   // top-level pixels
    RECT reach;  // the pixels it paints, within clip
    int left;
    int top;
    int right;
    int bottom;
    raster::Pen pen;
    raster::Brush brush;
};

struct Text {
    RECT clip;
    RECT reach;  // the pixels it may change, within clip
    int x;
    int y;
    const fonts::Face *face;
    uint32_t color;
    bool opaque;
    uint32_t background;
    size_t start;  // in the queue's text
    int count;
};

struct HeldCall {
    std::variant<Scroll, Box, Text> call;
    bool unseen;  // found when played: nothing it draws is seen, so it is skipped
};

struct Queue {
    HWND hwnd;
    Window *window;  // null while nothing is held
    std::vector<HeldCall> calls;
    std::string text;  // the bytes of every held text, one after another
};

Queue held{nullptr, nullptr, {}, {}};
bool deferring = true;

// ---- Finding what nobody sees: from the last call back ------------------------

// A scroll after which only the rows it uncovers are seen changes nothing
// anyone sees: those rows keep what they showed. It is skipped, and whatever
// it would have moved is seen as much as after it.
void look_back(Scroll &scroll, bool &unseen, UnseenPixels &pixels)
{
    unseen = pixels.unseen_top_rows() >= pixels.height() - scroll.rows;
    if (unseen) {
        return;
    }
    scroll.unseen = pixels.unseen_in_bottom_rows(scroll.rows);
    pixels.scroll_back(scroll.rows);
    scroll.unseen_rows = pixels.unseen_top_rows();
}

void look_back(const Box &box, bool &unseen, UnseenPixels &pixels)
{
    unseen = pixels.all_unseen(box.reach);
    if (!unseen) {
        pixels.paint_over(box.reach);
    }
}

void look_back(const Text &text, bool &unseen, UnseenPixels &pixels)
{
    unseen = pixels.all_unseen(text.reach);
}

void find_unseen_calls(std::vector<HeldCall> &calls, const Window &window)
{
    static UnseenPixels pixels;
    pixels.reset(window.pixel_width, window.pixel_height);
    for (auto later = calls.rbegin(); later != calls.rend(); ++later) {
        std::visit([&](auto &call) { look_back(call, later->unseen, pixels); }, later->call);
    }
}

// ---- Playing -------------------------------------------------------------------

// Each call draws on the client as it stands after the calls before it.
raster::Surface client_surface(Window &window, const RECT &clip, const RECT *painted)
{
    return raster::Surface{client_pixel_rows_to_paint(window, painted), window.pixel_width, window.pixel_height,
                           window.pixel_stride, clip};
}

void play(const Scroll &scroll, Window &window, const std::string &)
{
    slide_client_rows(window, scroll.rows, scroll.unseen_rows);
    client_pixel_rows_to_paint(window, &scroll.unseen);
}

void play(const Box &box, Window &window, const std::string &)
{
    raster::Surface surface = client_surface(window, box.clip, &box.reach);
    if (!is_empty(box.clip)) {
        raster::rectangle(surface, box.left, box.top, box.right, box.bottom, box.pen, box.brush);
    }
    note_client_filled(window, intersection(box.reach, box.clip), box.brush.color);
}

void play(const Text &text, Window &window, const std::string &bytes)
{
    raster::Surface surface = client_surface(window, text.clip, nullptr);
    note_client_drawn(window, fonts::draw(surface, text.face, text.x, text.y, bytes.data() + text.start, text.count,
                                          text.color, text.opaque ? &text.background : nullptr));
}

// ---- Leaving out what already has the colour --------------------------------------

// A box in the colour the client's right-hand columns hold need not paint
// them again: each box is cut at the column from which, as far as the calls
// before it show, every row of pixels kept (the spare rows included) is that
// colour. Its reach stays whole: what it leaves out holds what it would paint,
// and no row copied into there has to be either. Text and boxes in other
// colours push that column right.
void cut_boxes_at_uniform_columns(std::vector<HeldCall> &calls, const Window &window)
{
    LONG from = stored_uniform_from(window);
    for (HeldCall &held_call : calls) {
        if (from >= window.pixel_width) {
            return;
        }
        if (Box *box = std::get_if<Box>(&held_call.call); box != nullptr && box->brush.color == window.uniform_color) {
            box->clip.right = std::min(box->clip.right, from);
        } else if (box != nullptr) {
            from = std::max(from, box->reach.right);
        } else if (const Text *text = std::get_if<Text>(&held_call.call); text != nullptr && !is_empty(text->reach)) {
            from = std::max(from, text->reach.right);
        }
    }
}

// The queue is emptied first: the calls played use the window's pixels as
// anyone else does.
void play_held_calls()
{
    static std::vector<HeldCall> calls;
    static std::string text;
    const HWND hwnd = std::exchange(held.hwnd, nullptr);
    Window *window = std::exchange(held.window, nullptr);
    calls.swap(held.calls);
    text.swap(held.text);
    // A window destroyed meanwhile takes its painting with it.
    if (window != nullptr && window_from(hwnd) == window) {
        cut_boxes_at_uniform_columns(calls, *window);
        find_unseen_calls(calls, *window);
        for (const HeldCall &held_call : calls) {
            if (!held_call.unseen) {
                std::visit([&](const auto &call) { play(call, *window, text); }, held_call.call);
            }
        }
    }
    calls.clear();
    text.clear();
    calls.swap(held.calls);
    text.swap(held.text);
}

// ---- Holding calls back --------------------------------------------------------

template <typename Call>
void hold(const Call &call)
{
    held.calls.emplace_back(HeldCall{call, false});
    if (held.calls.size() >= MOST_CALLS_HELD || held.text.size() >= MOST_TEXT_HELD) {
        play_held_calls();
    }
}

// The window a context draws on, when painting is held back for it.
Window *holding_window(const DeviceContext &context)
{
    if (held.window == nullptr || context.kind != ContextKind::Window ||
        (context.hwnd != held.hwnd && top_level_of(context.hwnd) != held.hwnd)) {
        return nullptr;
    }
    return held.window;
}

// Where a context's client lies in the top-level pixels, and the part of it
// that can be drawn on.
void place_of(const DeviceContext &context, const Window &window, POINT *origin, RECT *clip)
{
    if (context.hwnd == held.hwnd) {
        *origin = POINT{0, 0};
        *clip = RECT{0, 0, window.pixel_width, window.pixel_height};
        return;
    }
    *origin = client_origin_in_top_level(context.hwnd);
    *clip = visible_client_in_top_level(context.hwnd);
}

}  // namespace

bool defer_client_scroll(HWND hwnd, Window &window, int rows)
{
    if (!deferring || !client_rows_slide(window, rows)) {
        return false;
    }
    if (held.window != &window || held.hwnd != hwnd) {
        play_held_calls();
        // The window's pixels are its own while painting is held back for it.
        end_pixel_loan_of(window);
        held.hwnd = hwnd;
        held.window = &window;
    }
    hold(Scroll{rows, 0, RECT{}});
    return true;
}

bool defer_painted_box(const DeviceContext &context, int left, int top, int right, int bottom, const raster::Pen &pen,
                       const raster::Brush &brush, const RECT &painted)
{
    const Window *window = holding_window(context);
    if (window == nullptr) {
        return false;
    }
    const HWND hwnd = held.hwnd;
    POINT origin;
    RECT clip;
    place_of(context, *window, &origin, &clip);
    hold(Box{clip, intersection(moved_by(painted, origin), clip), shift(left, origin.x), shift(top, origin.y),
             shift(right, origin.x), shift(bottom, origin.y), pen, brush});
    display_driver().client_changed(hwnd);
    return true;
}

bool defer_text(const DeviceContext &context, int x, int y, const char *text, int count)
{
    const Window *window = holding_window(context);
    if (window == nullptr || static_cast<size_t>(count) > MOST_TEXT_HELD) {
        return false;
    }
    const HWND hwnd = held.hwnd;
    POINT origin;
    RECT clip;
    place_of(context, *window, &origin, &clip);
    const int left = shift(x, origin.x);
    const int top = shift(y, origin.y);
    const fonts::Face *face = face_for_font(context.font);
    const size_t start = held.text.size();
    if (count > 0) {
        held.text.append(text, static_cast<size_t>(count));
    }
    hold(Text{clip, intersection(fonts::text_reach(face, left, top, text, count), clip), left, top, face,
              raster::from_colorref(context.text_color), context.bk_mode == OPAQUE,
              raster::from_colorref(context.bk_color), start, count});
    display_driver().client_changed(hwnd);
    return true;
}

void settle_deferred_painting(Window &window)
{
    if (held.window == &window) {
        play_held_calls();
    }
}

void discard_deferred_painting(const Window &window)
{
    if (held.window == &window) {
        held.hwnd = nullptr;
        held.window = nullptr;
        held.calls.clear();
        held.text.clear();
    }
}

void set_painting_deferred(bool deferred)
{
    if (!deferred) {
        play_held_calls();
    }
    deferring = deferred;
}

}  // namespace qz370::platform
