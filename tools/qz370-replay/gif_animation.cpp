#include "gif_animation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace replay {

namespace {

constexpr int CENTISECONDS_PER_FRAME = 10;  // the library's 100 ms tick
// The longest delay one image can carry that is still a whole number of
// frames; a longer stillness goes on in images that change nothing.
constexpr int LONGEST_DELAY = 65530;
constexpr int MOST_COLOURS = 256;
constexpr int LARGEST_SIDE = 65535;
constexpr int COLOUR_RESOLUTION = 8;
constexpr GifByteType BACKGROUND_COLOUR = 0;
// An image after the first leaves the pixels that did not change
// transparent, which keeps a mostly still picture small.
constexpr GifPixelType UNCHANGED = 0;

constexpr int GRAPHICS_CONTROL_LENGTH = 4;
constexpr char LOOP_APPLICATION[] = "NETSCAPE2.0";
constexpr GifByteType LOOP_FOREVER[] = {1, 0, 0};  // sub-block 1: a loop count of 0

struct Picture {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
};

struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

struct Animation {
    FILE *file = nullptr;
    GifFileType *gif = nullptr;
    Picture held;  // the latest frame, not written yet: the next may lengthen it
    int64_t held_frames = 0;
    Picture shown;  // what a viewer shows after the images written so far
    std::string error;
};

Animation animation;

bool failed() { return !animation.error.empty(); }

void fail(const std::string &reason) {
    if (!failed()) {
        animation.error = reason;
    }
}

std::string reason_of(int gif_error) {
    const char *reason = GifErrorString(gif_error);
    return reason != nullptr ? reason : "giflib error " + std::to_string(gif_error);
}

// giflib's results: GIF_OK, or GIF_ERROR with the reason kept in the file.
bool succeeded(int result) {
    if (result == GIF_ERROR) {
        fail(reason_of(animation.gif->Error));
    }
    return result != GIF_ERROR;
}

int write_bytes(GifFileType *gif, const GifByteType *bytes, int count) {
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<size_t>(count), static_cast<FILE *>(gif->UserData)));
}

bool open_gif(int width, int height) {
    if (width > LARGEST_SIDE || height > LARGEST_SIDE) {
        fail("the window is larger than a GIF can be");
        return false;
    }
    int error = 0;
    animation.gif = EGifOpen(animation.file, write_bytes, &error);
    if (animation.gif == nullptr) {
        fail(reason_of(error));
        return false;
    }
    EGifSetGifVersion(animation.gif, true);
    GifFileType *gif = animation.gif;
    return succeeded(EGifPutScreenDesc(gif, width, height, COLOUR_RESOLUTION, BACKGROUND_COLOUR, nullptr)) &&
           succeeded(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE)) &&
           succeeded(EGifPutExtensionBlock(gif, sizeof LOOP_APPLICATION - 1, LOOP_APPLICATION)) &&
           succeeded(EGifPutExtensionBlock(gif, sizeof LOOP_FOREVER, LOOP_FOREVER)) &&
           succeeded(EGifPutExtensionTrailer(gif));
}

bool same_picture(const Picture &picture, const uint32_t *pixels, int width, int height) {
    return picture.width == width && picture.height == height && !picture.pixels.empty() &&
           std::memcmp(picture.pixels.data(), pixels, picture.pixels.size() * sizeof(uint32_t)) == 0;
}

const uint32_t *row_of(const Picture &picture, int y) {
    return picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width);
}

// The smallest box around the pixels that differ from what is shown; one
// pixel when none do, as an image cannot be empty.
Box changed_box(const Picture &frame) {
    Box box{frame.width, frame.height, 0, 0};
    for (int y = 0; y < frame.height; ++y) {
        const uint32_t *now = row_of(frame, y);
        const uint32_t *before = row_of(animation.shown, y);
        if (std::memcmp(now, before, static_cast<size_t>(frame.width) * sizeof(uint32_t)) == 0) {
            continue;
        }
        int left = static_cast<int>(std::mismatch(now, now + frame.width, before).first - now);
        int right = frame.width;
        while (now[right - 1] == before[right - 1]) {
            --right;
        }
        box = Box{std::min(box.left, left), std::min(box.top, y), std::max(box.right, right), y + 1};
    }
    return box.left < box.right ? box : Box{0, 0, 1, 1};
}

// A frame's colours in the order first met, each a colour-table index.
struct Colours {
    std::vector<uint32_t> table;
    size_t first;  // the first index a colour takes
    size_t last_found = 0;

    // MOST_COLOURS when the table is full.
    size_t index_of(uint32_t colour) {
        if (last_found < table.size() && table[last_found] == colour) {
            return first + last_found;
        }
        auto found = std::find(table.begin(), table.end(), colour);
        if (found == table.end()) {
            if (first + table.size() == MOST_COLOURS) {
                return MOST_COLOURS;
            }
            found = table.insert(table.end(), colour);
        }
        last_found = static_cast<size_t>(found - table.begin());
        return first + last_found;
    }
};

ColorMapObject *colour_map(const Colours &colours) {
    int count = static_cast<int>(colours.first + colours.table.size());
    ColorMapObject *map = GifMakeMapObject(1 << GifBitSize(count), nullptr);
    if (map == nullptr) {
        fail("out of memory");
        return nullptr;
    }
    for (size_t i = 0; i < colours.table.size(); ++i) {
        uint32_t colour = colours.table[i];
        map->Colors[colours.first + i] = GifColorType{static_cast<GifByteType>(colour >> 16),
                                                     static_cast<GifByteType>(colour >> 8),
                                                     static_cast<GifByteType>(colour)};
    }
    return map;
}

// The box's pixels as colour-table indices, row by row; the unchanged ones
// transparent once something is shown.
bool index_pixels(const Picture &frame, const Box &box, bool keyed, Colours &colours,
                  std::vector<GifPixelType> &indices) {
    indices.clear();
    for (int y = box.top; y < box.bottom; ++y) {
        const uint32_t *now = row_of(frame, y);
        const uint32_t *before = keyed ? row_of(animation.shown, y) : nullptr;
        for (int x = box.left; x < box.right; ++x) {
            if (keyed && now[x] == before[x]) {
                indices.push_back(UNCHANGED);
                continue;
            }
            size_t index = colours.index_of(now[x]);
            if (index == MOST_COLOURS) {
                fail("a frame has more colours than a GIF image can hold");
                return false;
            }
            indices.push_back(static_cast<GifPixelType>(index));
        }
    }
    return true;
}

void show(const Picture &frame, const Box &box) {
    if (animation.shown.pixels.empty()) {
        animation.shown = frame;
        return;
    }
    for (int y = box.top; y < box.bottom; ++y) {
        std::copy(row_of(frame, y) + box.left, row_of(frame, y) + box.right,
                  animation.shown.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(frame.width) + box.left);
    }
}

bool put_image(const Box &box, ColorMapObject *map, std::vector<GifPixelType> &indices) {
    int width = box.right - box.left;
    if (!succeeded(EGifPutImageDesc(animation.gif, box.left, box.top, width, box.bottom - box.top, false, map))) {
        return false;
    }
    for (size_t start = 0; start < indices.size(); start += static_cast<size_t>(width)) {
        if (!succeeded(EGifPutLine(animation.gif, indices.data() + start, width))) {
            return false;
        }
    }
    return true;
}

void write_image(const Picture &frame, int delay) {
    if (animation.gif == nullptr && !open_gif(frame.width, frame.height)) {
        return;
    }
    if (frame.width != animation.gif->SWidth || frame.height != animation.gif->SHeight) {
        fail("the window changed its size, and a GIF has only one");
        return;
    }
    bool keyed = !animation.shown.pixels.empty();
    Box box = keyed ? changed_box(frame) : Box{0, 0, frame.width, frame.height};
    Colours colours{{}, keyed ? size_t{UNCHANGED} + 1 : 0};
    std::vector<GifPixelType> indices;
    if (!index_pixels(frame, box, keyed, colours, indices)) {
        return;
    }
    GraphicsControlBlock timing{DISPOSE_DO_NOT, false, delay, keyed ? UNCHANGED : NO_TRANSPARENT_COLOR};
    GifByteType extension[GRAPHICS_CONTROL_LENGTH];
    size_t length = EGifGCBToExtension(&timing, extension);
    if (!succeeded(EGifPutExtension(animation.gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension))) {
        return;
    }
    ColorMapObject *map = colour_map(colours);
    if (map != nullptr && put_image(box, map, indices)) {
        show(frame, box);
    }
    GifFreeMapObject(map);
}

void write_held_frame() {
    int64_t delay = animation.held_frames * CENTISECONDS_PER_FRAME;
    do {
        int part = static_cast<int>(std::min<int64_t>(delay, LONGEST_DELAY));
        write_image(animation.held, part);
        delay -= part;
    } while (delay > 0 && !failed());
}

void hold(const uint32_t *pixels, int width, int height) {
    animation.held.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    animation.held.width = width;
    animation.held.height = height;
    animation.held_frames = 1;
}

}  // namespace

void start_animation(FILE *file) {
    animation = Animation{};
    animation.file = file;
}

void add_animation_frame(const uint32_t *pixels, int width, int height) {
    if (failed() || pixels == nullptr || width <= 0 || height <= 0) {
        return;
    }
    if (same_picture(animation.held, pixels, width, height)) {
        animation.held_frames += 1;
        return;
    }
    if (!animation.held.pixels.empty()) {
        write_held_frame();
    }
    hold(pixels, width, height);
}

bool finish_animation(const uint32_t *final_pixels, int width, int height, std::string &error) {
    if (final_pixels != nullptr && !same_picture(animation.held, final_pixels, width, height)) {
        add_animation_frame(final_pixels, width, height);
    }
    if (animation.held.pixels.empty()) {
        fail("no frame was shown");
    } else if (!failed()) {
        write_held_frame();
    }
    int close_error = 0;
    if (animation.gif != nullptr && EGifCloseFile(animation.gif, &close_error) == GIF_ERROR) {
        fail(reason_of(close_error));
    }
    error = animation.error;
    animation = Animation{};
    return error.empty();
}

}  // namespace replay
