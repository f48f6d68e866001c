// Window geometry: client areas under each frame style, menu bars, moving and
// sizing, and child windows inside their parents.
#include "platform/window_test_support.h"

using namespace window_test;
namespace headless = qz370::headless;

namespace {

RECT client_of(HWND hwnd)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

RECT frame_of(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

HWND graphics_window_with_menu()
{
    HWND hwnd = create_window(WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Run");
    SetMenu(hwnd, bar);
    return hwnd;
}

TEST(WindowGeometry, CaptionedWindowWithAMenuHasA595By500Client)
{
    HWND hwnd = graphics_window_with_menu();
    RECT client = client_of(hwnd);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 500);
    EXPECT_EQ(received.back().message, WM_SIZE);  // the menu bar took room from the client
    EXPECT_EQ(received.back().lParam, MAKELPARAM(595, 500));
    int width = 0;
    int height = 0;
    headless::client_pixels(hwnd, &width, &height);
    EXPECT_EQ(width, 595);
    EXPECT_EQ(height, 500);

    received.clear();
    SetMenu(hwnd, GetMenu(hwnd));
    EXPECT_EQ(count_of(hwnd, WM_SIZE), 0);  // nothing changed, nothing said
    SetMenu(hwnd, nullptr);
    EXPECT_EQ(client_of(hwnd).bottom, 516);
}

TEST(WindowGeometry, TextWindowAcrossTheLowerThirdOfA1024By768Screen)
{
    int screen_width = GetSystemMetrics(SM_CXSCREEN);
    int screen_height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(screen_width, 1024);
    EXPECT_EQ(screen_height, 768);
    HWND hwnd = create_window(WS_OVERLAPPEDWINDOW, 0, 2 * screen_height / 3 + 1, screen_width, screen_height / 3);
    RECT frame = frame_of(hwnd);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 513);
    EXPECT_EQ(frame.right, 1024);
    EXPECT_EQ(frame.bottom, 769);
    EXPECT_EQ(client_of(hwnd).right, 1024 - 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(client_of(hwnd).bottom, 256 - 2 * GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYCAPTION));
}

TEST(WindowGeometry, TextWindowOnA1280By1024Screen)
{
    headless::set_screen_size(1280, 1024);
    int screen_width = GetSystemMetrics(SM_CXSCREEN);
    int screen_height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = create_window(WS_OVERLAPPEDWINDOW, 0, 2 * screen_height / 3 + 1, screen_width, screen_height / 3);
    RECT frame = frame_of(hwnd);
    EXPECT_EQ(frame.top, 683);
    EXPECT_EQ(frame.right - frame.left, 1280);
    EXPECT_EQ(frame.bottom - frame.top, 341);
}

TEST(WindowGeometry, FrameStylesGiveTheirBorders)
{
    EXPECT_EQ(client_of(create_window(WS_POPUP, 0, 0, 100, 100)).right, 100);
    EXPECT_EQ(client_of(create_window(WS_POPUP | WS_BORDER, 0, 0, 100, 100)).right, 98);
    EXPECT_EQ(client_of(create_window(WS_POPUP | DS_MODALFRAME, 0, 0, 100, 100)).right, 94);
    RECT dialog = client_of(create_window(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 100, 100));
    EXPECT_EQ(dialog.right, 94);
    EXPECT_EQ(dialog.bottom, 100 - 6 - 18);
}

TEST(WindowGeometry, MoveWindowResizesKeepingPixelsAndRedrawsClassesThatAskForIt)
{
    HWND hwnd = create_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 106, 124, REDRAWING_CLASS);
    pump();
    HDC hdc = GetDC(hwnd);
    SetPixel(hdc, 3, 4, RGB(1, 2, 3));
    ReleaseDC(hwnd, hdc);
    received.clear();
    MoveWindow(hwnd, 10, 20, 206, 224, FALSE);
    EXPECT_EQ(messages_to(hwnd), (std::vector<UINT>{WM_SIZE}));
    EXPECT_EQ(received.back().lParam, MAKELPARAM(200, 200));
    EXPECT_EQ(client_pixel(hwnd, 3, 4), 0x010203u);
    EXPECT_EQ(client_pixel(hwnd, 150, 150), 0xFFFFFFu);
    EXPECT_TRUE(pump().empty());

    MoveWindow(hwnd, 10, 20, 106, 124, TRUE);
    std::vector<MSG> taken = pump();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].message, WM_PAINT);
}

TEST(WindowGeometry, ChildrenSitInTheirParentsClient)
{
    HWND parent = create_window(WS_CAPTION | WS_VISIBLE, 100, 50, 206, 224);
    HWND child = create_child(parent, WS_BORDER | WS_VISIBLE, 10, 20, 50, 30);
    RECT client = client_of(child);
    EXPECT_EQ(client.right, 48);
    EXPECT_EQ(client.bottom, 28);
    RECT frame = frame_of(child);
    EXPECT_EQ(frame.left, 100 + 3 + 10);
    EXPECT_EQ(frame.top, 50 + 3 + 18 + 20);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_TRUE(IsWindowVisible(child));
    ShowWindow(parent, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST(WindowGeometry, APopupIsOwnedByTheTopLevelWindowOfItsParentArgument)
{
    HWND owner = create_window(WS_CAPTION, 0, 0, 200, 200);
    HWND child = create_child(owner, 0, 0, 0, 10, 10);
    HWND popup = CreateWindowExA(0, RECORDING_CLASS, "", WS_POPUP, 0, 0, 50, 50, child, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetParent(popup), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));  // owned windows go with their owner
}

}  // namespace
