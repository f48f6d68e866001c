// Drawing contexts: their initial state, selecting and deleting objects,
// pixels of windows and bitmaps, and copying blocks between them.
#include "handles.h"
#include "platform/window_test_support.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace window_test;
namespace headless = qz370::headless;

namespace {

constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);

class DeviceContexts : public ::testing::Test {
protected:
    HWND hwnd = create_window(WS_CAPTION | WS_VISIBLE, 0, 0, 206, 124);  // a 200 by 100 client
    void SetUp() override { pump(); }
};

TEST_F(DeviceContexts, StartWithTheStockObjectsAndDefaultColours)
{
    HDC hdc = GetDC(hwnd);
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetTextColor(hdc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(hdc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(hdc), OPAQUE);
    EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(hdc, 99), 0);
    EXPECT_EQ(GetBkMode(hdc), TRANSPARENT);
    ReleaseDC(hwnd, hdc);
    EXPECT_EQ(GetBkMode(hdc), 0);  // a released context is gone
}

TEST_F(DeviceContexts, SelectReturnsWhatItReplacesSoCallersCanRestore)
{
    HDC hdc = GetDC(hwnd);
    HPEN pen = CreatePen(PS_SOLID, 3, RED);
    HBRUSH brush = CreateSolidBrush(BLUE);
    HGDIOBJ old_pen = SelectObject(hdc, pen);
    HGDIOBJ old_brush = SelectObject(hdc, brush);
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), pen);
    EXPECT_FALSE(DeleteObject(pen));  // still in use
    EXPECT_EQ(SelectObject(hdc, old_pen), pen);
    EXPECT_EQ(SelectObject(hdc, old_brush), brush);
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(hdc, pen), nullptr);
    ReleaseDC(hwnd, hdc);
}

TEST_F(DeviceContexts, StockObjectsSurviveDeletion)
{
    HGDIOBJ null_brush = GetStockObject(NULL_BRUSH);
    EXPECT_TRUE(DeleteObject(null_brush));
    EXPECT_EQ(GetStockObject(NULL_BRUSH), null_brush);
    HDC hdc = GetDC(hwnd);
    EXPECT_NE(SelectObject(hdc, null_brush), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
    ReleaseDC(hwnd, hdc);
}

TEST_F(DeviceContexts, MemoryContextsHoldOneBitmapAtATime)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ initial = GetCurrentObject(memory, OBJ_BITMAP);
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(GetPixel(memory, 1, 0), CLR_INVALID);  // it is 1 by 1
    HBITMAP bitmap = CreateCompatibleBitmap(memory, 10, 10);
    EXPECT_EQ(SelectObject(memory, bitmap), initial);
    HDC other = CreateCompatibleDC(memory);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    HDC window = GetDC(hwnd);
    EXPECT_EQ(SelectObject(window, bitmap), nullptr);  // windows draw on their own pixels
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(other);
    ReleaseDC(hwnd, window);
}

TEST_F(DeviceContexts, BitmapsStartBlackAndRefuseAbsurdSizes)
{
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, CreateCompatibleBitmap(memory, 601, 540));
    EXPECT_EQ(GetPixel(memory, 600, 539), RGB(0, 0, 0));
    EXPECT_EQ(CreateCompatibleBitmap(memory, 0, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(memory, -1, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(memory, INT_MAX, INT_MAX), nullptr);
    DeleteDC(memory);
}

TEST_F(DeviceContexts, BitBltCopiesACanvasToTheClientAndTheDisplayShowsIt)
{
    std::vector<HWND> shown;
    headless::set_present_hook([&](HWND window) { shown.push_back(window); });
    HDC window_dc = GetDC(hwnd);
    HDC canvas = CreateCompatibleDC(window_dc);
    SelectObject(canvas, CreateCompatibleBitmap(window_dc, 601, 540));
    SetPixel(canvas, 0, 0, RED);
    SetPixel(canvas, 199, 99, BLUE);
    EXPECT_TRUE(BitBlt(window_dc, 0, 0, 601, 540, canvas, 0, 0, SRCCOPY));
    EXPECT_EQ(client_pixel(hwnd, 0, 0), 0xFF0000u);
    EXPECT_EQ(client_pixel(hwnd, 199, 99), 0x0000FFu);
    EXPECT_EQ(client_pixel(hwnd, 100, 50), 0u);
    EXPECT_TRUE(shown.empty());
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(shown, std::vector<HWND>{hwnd});
    headless::set_present_hook(nullptr);
    ReleaseDC(hwnd, window_dc);
}

TEST_F(DeviceContexts, BitBltClipsAtTheSourceAndAtTheDestination)
{
    HDC window_dc = GetDC(hwnd);
    HDC canvas = CreateCompatibleDC(window_dc);
    SelectObject(canvas, CreateCompatibleBitmap(window_dc, 4, 4));
    SetPixel(canvas, 0, 0, RED);
    EXPECT_TRUE(BitBlt(window_dc, -1, -1, 10, 10, canvas, 0, 0, SRCCOPY));
    EXPECT_EQ(client_pixel(hwnd, 0, 0), 0u);  // canvas (1, 1)
    EXPECT_EQ(client_pixel(hwnd, 3, 3), CLASS_BACKGROUND_PIXEL);  // beyond the canvas: left alone
    EXPECT_TRUE(BitBlt(window_dc, 10, 10, 4, 4, canvas, -1, -1, SRCCOPY));
    EXPECT_EQ(client_pixel(hwnd, 10, 10), CLASS_BACKGROUND_PIXEL);
    EXPECT_EQ(client_pixel(hwnd, 11, 11), 0xFF0000u);
    EXPECT_TRUE(BitBlt(window_dc, INT_MAX, INT_MIN, INT_MAX, INT_MAX, canvas, INT_MIN, INT_MAX, SRCCOPY));
    EXPECT_FALSE(BitBlt(window_dc, 0, 0, 4, 4, canvas, 0, 0, 0x00EE0086));
    EXPECT_FALSE(BitBlt(window_dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    ReleaseDC(hwnd, window_dc);
}

TEST_F(DeviceContexts, BitBltWithinOneSurfaceReadsBeforeItWrites)
{
    HDC hdc = GetDC(hwnd);
    for (int x = 0; x < 5; ++x) {
        SetPixel(hdc, x, x, RGB(x, 0, 0));
    }
    BitBlt(hdc, 1, 1, 5, 5, hdc, 0, 0, SRCCOPY);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(GetPixel(hdc, x + 1, x + 1), RGB(x, 0, 0));
    }
    ReleaseDC(hwnd, hdc);
}

TEST_F(DeviceContexts, ChildContextsDrawAtTheChildsPlaceClippedToItsClient)
{
    HWND child = create_child(hwnd, WS_BORDER | WS_VISIBLE, 10, 20, 12, 12);
    HDC hdc = GetDC(child);
    EXPECT_EQ(SetPixel(hdc, 0, 0, RED), RED);
    EXPECT_EQ(client_pixel(hwnd, 11, 21), 0xFF0000u);
    EXPECT_EQ(SetPixel(hdc, 10, 0, RED), CLR_INVALID);  // the child's client is 10 wide
    EXPECT_EQ(SetPixel(hdc, -1, 0, RED), CLR_INVALID);
    EXPECT_EQ(SetPixel(hdc, INT_MAX, INT_MAX, RED), CLR_INVALID);
    EXPECT_EQ(SetPixel(hdc, INT_MIN, INT_MIN, RED), CLR_INVALID);
    EXPECT_TRUE(Rectangle(hdc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_TRUE(Ellipse(hdc, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    POINT points[] = {{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {0, 0}};
    EXPECT_TRUE(Polygon(hdc, points, 3));
    EXPECT_FALSE(Polygon(hdc, points, -1));
    EXPECT_FALSE(Polygon(hdc, nullptr, 3));
    MoveToEx(hdc, INT_MIN, INT_MAX, nullptr);
    EXPECT_TRUE(LineTo(hdc, INT_MAX, INT_MIN));
    EXPECT_EQ(client_pixel(hwnd, 10, 21), CLASS_BACKGROUND_PIXEL);  // nothing escaped the child
    EXPECT_EQ(client_pixel(hwnd, 21, 31), CLASS_BACKGROUND_PIXEL);
    ReleaseDC(child, hdc);
}

TEST_F(DeviceContexts, ContextsOfAGoneWindowDrawNothing)
{
    HWND child = create_child(hwnd, WS_VISIBLE, 0, 0, 10, 10);
    HDC hdc = GetDC(child);
    DestroyWindow(child);
    EXPECT_FALSE(Rectangle(hdc, 0, 0, 5, 5));
    EXPECT_EQ(SetPixel(hdc, 0, 0, RED), CLR_INVALID);
    EXPECT_FALSE(TextOutA(hdc, 0, 0, "x", 1));
    EXPECT_FALSE(BitBlt(hdc, 0, 0, 5, 5, hdc, 0, 0, SRCCOPY));
}

TEST_F(DeviceContexts, LinesMoveTheCurrentPosition)
{
    HDC hdc = GetDC(hwnd);
    POINT previous;
    MoveToEx(hdc, 5, 6, nullptr);
    LineTo(hdc, 20, 30);
    MoveToEx(hdc, 0, 0, &previous);
    EXPECT_EQ(previous.x, 20);
    EXPECT_EQ(previous.y, 30);
    ReleaseDC(hwnd, hdc);
}

TEST_F(DeviceContexts, ScrollMovesTheWholeAreaAndLeavesTheUncoveredStrip)
{
    HDC hdc = GetDC(hwnd);
    SetPixel(hdc, 3, 50, RED);
    SetPixel(hdc, 3, 99, BLUE);
    SetPixel(hdc, 3, 5, RGB(0, 255, 0));
    RECT update;
    EXPECT_TRUE(ScrollDC(hdc, 0, -13, nullptr, nullptr, nullptr, &update));
    EXPECT_EQ(GetPixel(hdc, 3, 37), RED);
    EXPECT_EQ(GetPixel(hdc, 3, 86), BLUE);
    EXPECT_EQ(GetPixel(hdc, 3, 99), BLUE);  // the strip keeps what it had
    EXPECT_EQ(update.top, 87);
    EXPECT_EQ(update.bottom, 100);
    EXPECT_TRUE(ScrollDC(hdc, 0, INT_MIN, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(ScrollDC(hdc, INT_MAX, INT_MAX, nullptr, nullptr, nullptr, &update));
    ReleaseDC(hwnd, hdc);
}

// The client's pixels as GetPixel reports them, or a bitmap's through hdc.
std::vector<COLORREF> client_colours(HWND hwnd)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(hwnd, &width, &height);
    std::vector<COLORREF> colours;
    for (int i = 0; i < width * height; ++i) {
        colours.push_back(RGB(pixels[i] >> 16, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF));
    }
    return colours;
}

std::vector<COLORREF> bitmap_colours(HDC hdc, int width, int height)
{
    std::vector<COLORREF> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            colours.push_back(GetPixel(hdc, x, y));
        }
    }
    return colours;
}

// A line printed as the text window prints it: the strip below cleared but
// for its last column, text on it, then everything scrolled up.
void print_line(HDC hdc, int round, int line_height)
{
    constexpr int WIDTH = 200;
    constexpr int HEIGHT = 100;
    HBRUSH brush = CreateSolidBrush(RGB(round * 37 % 256, 200, 90));
    HGDIOBJ kept_brush = SelectObject(hdc, brush);
    HGDIOBJ kept_pen = SelectObject(hdc, GetStockObject(NULL_PEN));
    Rectangle(hdc, 0, HEIGHT - line_height, WIDTH, HEIGHT + 1);
    SelectObject(hdc, kept_pen);
    SelectObject(hdc, kept_brush);
    DeleteObject(brush);
    std::string text = "line " + std::to_string(round);
    TextOutA(hdc, 5, HEIGHT - line_height, text.c_str(), static_cast<int>(text.size()));
    SetPixel(hdc, WIDTH - 1, HEIGHT - 1 - round % line_height, RGB(round % 256, 0, 255));
    ScrollDC(hdc, 0, -line_height, nullptr, nullptr, nullptr, nullptr);
}

// Whole-client scrolls of a window move where its rows start; a bitmap's
// scrolls move pixels. Both must show the same, also after the window's
// spare rows have run out and its client has moved back to the top.
TEST_F(DeviceContexts, WholeClientScrollsShowWhatMovedPixelsShow)
{
    for (int line_height : {1, 13, 50, 51}) {
        HDC window = GetDC(hwnd);
        HDC memory = CreateCompatibleDC(window);
        HBITMAP bitmap = CreateCompatibleBitmap(window, 200, 100);
        HGDIOBJ kept_bitmap = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, 200, 100, window, 0, 0, SRCCOPY);
        const int rounds = 900 / line_height + 2;
        for (int round = 0; round < rounds; ++round) {
            print_line(window, round, line_height);
            print_line(memory, round, line_height);
            if (round % 64 == 0 || round == rounds - 1) {
                ASSERT_EQ(client_colours(hwnd), bitmap_colours(memory, 200, 100)) << line_height << " " << round;
            }
        }
        SelectObject(memory, kept_bitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(hwnd, window);
    }
}

// A bitmap put on the whole client lends the window its pixels: each must
// still show what a copy would have left, whichever of them changes next.
TEST_F(DeviceContexts, BlitOfAWholeBitmapLeavesBothAsACopyWould)
{
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, 210, 130);  // larger than the client, as the canvas is
    HGDIOBJ kept_bitmap = SelectObject(memory, bitmap);
    SetPixel(memory, 4, 4, RED);
    SetPixel(memory, 205, 120, BLUE);  // outside the client
    BitBlt(window, 0, 0, 210, 130, memory, 0, 0, SRCCOPY);
    std::vector<COLORREF> shown = client_colours(hwnd);
    EXPECT_EQ(shown[4 * 200 + 4], RED);
    SetPixel(memory, 4, 4, BLUE);
    BitBlt(window, 0, 0, 210, 130, memory, 0, 0, SRCCOPY);
    shown = client_colours(hwnd);
    HGDIOBJ kept_pen = SelectObject(memory, GetStockObject(NULL_PEN));
    Rectangle(memory, 20, 0, 210, 10);  // as a frame's first call paints over much of the bitmap
    SelectObject(memory, kept_pen);
    SetPixel(memory, 50, 50, RED);
    EXPECT_EQ(client_colours(hwnd), shown);
    EXPECT_EQ(GetPixel(memory, 4, 4), BLUE);
    EXPECT_EQ(GetPixel(memory, 30, 4), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, 205, 120), BLUE);
    EXPECT_EQ(GetPixel(memory, 50, 50), RED);
    BitBlt(window, 0, 0, 210, 130, memory, 0, 0, SRCCOPY);
    BitBlt(window, 0, 0, 210, 130, memory, 0, 0, SRCCOPY);
    SetPixel(window, 60, 60, BLUE);  // drawing on the window leaves the bitmap alone
    EXPECT_EQ(GetPixel(memory, 60, 60), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(memory, 50, 50), RED);
    shown = client_colours(hwnd);
    EXPECT_EQ(shown[50 * 200 + 50], RED);
    EXPECT_EQ(shown[60 * 200 + 60], BLUE);
    BitBlt(window, 0, 0, 210, 130, memory, 0, 0, SRCCOPY);
    SelectObject(memory, kept_bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(client_colours(hwnd)[60 * 200 + 60], RGB(0, 0, 0));
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
}

// Frames of every kind of call drawn on a bitmap that is shown after each
// and on a twin that never is: whatever the showing skips copying, both
// bitmaps and the window must always agree with the twin.
TEST_F(DeviceContexts, ShownFramesLeaveTheBitmapAsAnUnshownTwin)
{
    HDC window = GetDC(hwnd);
    HDC shown = CreateCompatibleDC(window);
    HDC twin = CreateCompatibleDC(window);
    HBITMAP shown_bitmap = CreateCompatibleBitmap(window, 210, 130);
    HBITMAP twin_bitmap = CreateCompatibleBitmap(window, 210, 130);
    HGDIOBJ kept_shown = SelectObject(shown, shown_bitmap);
    HGDIOBJ kept_twin = SelectObject(twin, twin_bitmap);
    HPEN wide_pen = CreatePen(PS_SOLID, 9, BLUE);
    uint32_t seed = 12345;
    auto next = [&](int below) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(below));
    };
    for (int frame = 0; frame < 60; ++frame) {
        for (int call = 0; call <= frame % 12; ++call) {  // up to a dozen scattered calls between showings
            const int kind = next(8), x = next(230) - 10, y = next(150) - 10, size = next(40);
            const COLORREF colour = RGB(next(256), next(256), next(256));
            // A null pen lets a rectangle paint its box over whatever was there.
            HGDIOBJ pens[3] = {wide_pen, GetStockObject(BLACK_PEN), GetStockObject(NULL_PEN)};
            for (HDC dc : {shown, twin}) {
                HGDIOBJ kept_pen = SelectObject(dc, pens[frame % 3]);
                switch (kind) {
                case 0: Rectangle(dc, x, y, x + size, y + size / 2); break;
                case 1: Ellipse(dc, x, y, x + size, y + size); break;
                case 2: {
                    const POINT corners[3] = {{x, y}, {x + size, y + 5}, {x + 3, y + size}};
                    Polygon(dc, corners, 3);
                    break;
                }
                case 3: MoveToEx(dc, x, y, nullptr); LineTo(dc, x + size, y - size); break;
                case 4: SetPixel(dc, x, y, colour); break;
                case 5: SetTextColor(dc, colour); TextOutA(dc, x, y, "Wy\xc5j|", 5); break;
                case 6: {
                    HBRUSH brush = CreateSolidBrush(colour);
                    HGDIOBJ kept_brush = SelectObject(dc, brush);
                    Rectangle(dc, x, y, x + size, y + 7);
                    SelectObject(dc, kept_brush);
                    DeleteObject(brush);
                    break;
                }
                default: BitBlt(dc, x, y, size, size, dc, y, x, SRCCOPY); break;
                }
                SelectObject(dc, kept_pen);
            }
            if (frame % 7 == 3) {
                SetPixel(window, x, y, colour);  // the window's own pixels change between showings
            }
        }
        if (frame % 2 == 0) {
            BitBlt(window, 0, 0, 210, 130, shown, 0, 0, SRCCOPY);
            ASSERT_EQ(client_colours(hwnd), bitmap_colours(twin, 200, 100)) << "frame " << frame;
        }
        if (frame % 5 == 4) {  // reading takes the bitmap's pixels back; most frames draw on it first
            ASSERT_EQ(bitmap_colours(shown, 210, 130), bitmap_colours(twin, 210, 130)) << "frame " << frame;
        }
    }
    SelectObject(shown, kept_shown);
    SelectObject(twin, kept_twin);
    DeleteObject(shown_bitmap);
    DeleteObject(twin_bitmap);
    DeleteObject(wide_pen);
    DeleteDC(shown);
    DeleteDC(twin);
    ReleaseDC(hwnd, window);
}

TEST_F(DeviceContexts, TextCallsRefuseBadArguments)
{
    HDC hdc = GetDC(hwnd);
    SIZE size;
    TEXTMETRICA metrics;
    EXPECT_FALSE(TextOutA(hdc, 0, 0, "abc", -1));
    EXPECT_FALSE(TextOutA(hdc, 0, 0, nullptr, 3));
    EXPECT_TRUE(TextOutA(hdc, INT_MAX, INT_MIN, "abc", 3));
    EXPECT_FALSE(GetTextExtentPointA(hdc, nullptr, 2, &size));
    EXPECT_FALSE(GetTextExtentPointA(hdc, "ab", 2, nullptr));
    EXPECT_TRUE(GetTextExtentPointA(hdc, "ab", 2, &size));
    EXPECT_GT(size.cx, 0);
    EXPECT_TRUE(GetTextMetricsA(hdc, &metrics));
    EXPECT_GT(metrics.tmHeight, 0);
    EXPECT_FALSE(GetTextMetricsA(hdc, nullptr));
    ReleaseDC(hwnd, hdc);
}

// DeleteObject refuses an object until the last context holding it lets go,
// by selecting another or by going itself.
TEST_F(DeviceContexts, HeldObjectsCanBeDeletedOnlyOnceNoContextHoldsThem)
{
    auto put_back = [](HDC dc, HGDIOBJ previous) { SelectObject(dc, previous); };
    auto delete_context = [](HDC dc, HGDIOBJ) { DeleteDC(dc); };
    const std::pair<HGDIOBJ, std::function<void(HDC, HGDIOBJ)>> cases[] = {
        {CreatePen(PS_SOLID, 2, RED), put_back},
        {CreateSolidBrush(BLUE), delete_context},
        {CreateCompatibleBitmap(nullptr, 4, 4), put_back},
    };
    for (const auto &[object, let_go] : cases) {
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, object);
        EXPECT_EQ(SelectObject(memory, object), object);  // selected again, still held once
        EXPECT_FALSE(DeleteObject(object));
        let_go(memory, previous);
        EXPECT_TRUE(DeleteObject(object));
        DeleteDC(memory);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, RED);
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(window, pen);
    SelectObject(memory, pen);
    ReleaseDC(hwnd, window);
    EXPECT_FALSE(DeleteObject(pen));
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(pen));
}

// A handle names one object for ever: once it is gone, or for another kind,
// no call takes it, even when a new object has taken its slot.
TEST_F(DeviceContexts, StaleAndWrongKindHandlesAreRefused)
{
    namespace platform = qz370::platform;
    HPEN stale_pen = CreatePen(PS_SOLID, 1, RED);
    DeleteObject(stale_pen);
    HPEN pen = CreatePen(PS_SOLID, 1, BLUE);
    HDC stale_dc = GetDC(hwnd);
    ReleaseDC(hwnd, stale_dc);
    HDC hdc = GetDC(hwnd);
    const uintptr_t next_count = uintptr_t{1} << platform::SLOT_COUNT_SHIFT;
    // The same count and slot as a live handle, in the other table's kind.
    const auto as_kind = [](HANDLE handle, platform::HandleKind kind) {
        const uintptr_t kind_mask = ((uintptr_t{1} << platform::KIND_BITS) - 1) << platform::TAG_BITS;
        return platform::handle_from_value<HANDLE>((platform::value_of(handle) & ~kind_mask) |
                                                   (static_cast<uintptr_t>(kind) << platform::TAG_BITS));
    };
    const HANDLE refused[] = {stale_pen, stale_dc, hwnd, CreateMenu(), GlobalAlloc(GMEM_MOVEABLE, 1),
                              platform::handle_from_value<HANDLE>(platform::value_of(pen) + next_count),
                              platform::handle_from_value<HANDLE>(platform::value_of(hdc) + next_count),
                              as_kind(pen, platform::HandleKind::DEVICE_CONTEXT),
                              as_kind(hdc, platform::HandleKind::GDI_OBJECT)};
    for (HANDLE handle : refused) {
        SCOPED_TRACE(platform::value_of(handle));
        EXPECT_EQ(SelectObject(hdc, handle), nullptr);
        EXPECT_FALSE(DeleteObject(handle));
        EXPECT_EQ(SelectObject(static_cast<HDC>(handle), pen), nullptr);
        EXPECT_EQ(GetBkMode(static_cast<HDC>(handle)), 0);
        EXPECT_FALSE(DeleteDC(static_cast<HDC>(handle)));
    }
    EXPECT_EQ(SelectObject(hdc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(static_cast<HDC>(static_cast<HGDIOBJ>(pen)), hdc), nullptr);
    ReleaseDC(hwnd, hdc);
    EXPECT_TRUE(DeleteObject(pen));
}

// As past Win32's quota, creation fails with NULL at the limit of live
// objects or contexts, the stock objects stay, and deleting makes room.
TEST_F(DeviceContexts, CreationFailsCleanlyAtTheLimitUntilSomethingGoes)
{
    using qz370::platform::MOST_LIVE_HANDLES;
    struct Case {
        std::function<HANDLE()> make, make_other_kind;
        std::function<void(HANDLE)> remove;
    };
    const Case cases[] = {
        {[] { return CreatePen(PS_SOLID, 1, RED); }, [] { return CreateCompatibleBitmap(nullptr, 1, 1); },
         [](HANDLE pen) { DeleteObject(pen); }},
        {[] { return CreateCompatibleDC(nullptr); }, [this] { return GetDC(hwnd); },
         [](HANDLE dc) { DeleteDC(static_cast<HDC>(dc)); }},
    };
    for (const Case &c : cases) {
        std::vector<HANDLE> made;
        for (HANDLE handle = c.make(); handle != nullptr && made.size() <= MOST_LIVE_HANDLES; handle = c.make()) {
            made.push_back(handle);
        }
        EXPECT_GT(made.size(), MOST_LIVE_HANDLES * 9 / 10);  // less what other tests left
        EXPECT_LE(made.size(), MOST_LIVE_HANDLES);
        EXPECT_EQ(c.make_other_kind(), nullptr);
        HDC window = GetDC(hwnd);  // with the stock objects, unless contexts ran out
        EXPECT_EQ(GetCurrentObject(window, OBJ_PEN), window == nullptr ? nullptr : GetStockObject(BLACK_PEN));
        ReleaseDC(hwnd, window);
        c.remove(made.back());
        made.back() = c.make();
        EXPECT_NE(made.back(), nullptr);
        std::for_each(made.begin(), made.end(), c.remove);
    }
}

}  // namespace
