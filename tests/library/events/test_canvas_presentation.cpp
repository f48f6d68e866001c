#include <gtest/gtest.h>

#include "open_library.h"

using namespace events_test;

namespace {

constexpr COLORREF MARK = RGB(255, 0, 0);
constexpr uint32_t MARK_PIXEL = 0xFF0000;

uint32_t client_pixel(int column, int row)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = qz370::headless::client_pixels(graphics_window, &width, &height);
    return pixels[row * width + column];
}

// A click queued behind whatever is waiting lets one wait run and return.
void run_one_wait()
{
    click_client(0, 0);
    next_event();
}

}  // namespace

// The canvas is anchored at the client's top-left corner, so library point
// (10, 10), canvas pixel (centre_x + 10, centre_y - 10), is that client pixel.
TEST(CanvasPresentation, FirstWaitCopiesTheCanvasPixelForPixel)
{
    open_library();
    SetPixel(canvas_dc, centre_x + 10, centre_y - 10, MARK);
    SetPixel(canvas_dc, 0, 0, MARK);
    run_one_wait();
    EXPECT_EQ(client_pixel(CLIENT_CENTRE_X + 10, CLIENT_CENTRE_Y - 10), MARK_PIXEL);
    EXPECT_EQ(client_pixel(0, 0), MARK_PIXEL);
    EXPECT_NE(client_pixel(CLIENT_CENTRE_X, CLIENT_CENTRE_Y), MARK_PIXEL);
    EXPECT_EQ(canvas_dirty, 0);
}

TEST(CanvasPresentation, WaitCopiesOnlyADirtyCanvas)
{
    open_library();
    run_one_wait();
    SetPixel(canvas_dc, centre_x, centre_y, MARK);
    run_one_wait();
    EXPECT_NE(client_pixel(CLIENT_CENTRE_X, CLIENT_CENTRE_Y), MARK_PIXEL);
    canvas_dirty = 1;
    run_one_wait();
    EXPECT_EQ(client_pixel(CLIENT_CENTRE_X, CLIENT_CENTRE_Y), MARK_PIXEL);
}

TEST(CanvasPresentation, PaintCopiesEvenACleanCanvas)
{
    open_library();
    run_one_wait();
    SetPixel(canvas_dc, centre_x, centre_y, MARK);
    SendMessageA(graphics_window, WM_PAINT, 0, 0);
    EXPECT_EQ(client_pixel(CLIENT_CENTRE_X, CLIENT_CENTRE_Y), MARK_PIXEL);
    canvas_dirty = 1;
    SendMessageA(graphics_window, WM_PAINT, 0, 0);
    EXPECT_EQ(canvas_dirty, 0);
}
