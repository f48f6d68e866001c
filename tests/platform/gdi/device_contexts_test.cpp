// Drawing contexts: their initial state, selecting and deleting objects,
// pixels of windows and bitmaps, and copying blocks between them.
#include "platform/window_test_support.h"

#include <climits>

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

}  // namespace
