// Menus: check marks and states by command and by position, the queries on
// items, and menus that contain themselves.
#include "platform/window_test_support.h"

using namespace window_test;

namespace {

constexpr UINT LOGGING = 4;
constexpr UINT ABOUT = 9;

class Menus : public ::testing::Test {
protected:
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    void SetUp() override
    {
        AppendMenuA(run, MF_STRING, 1, "&Animate\tCtrl+A");
        AppendMenuA(run, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(run, MF_STRING | MF_CHECKED, LOGGING, "&Logging\tCtrl+L");
        AppendMenuA(run, MF_GRAYED, ABOUT, "QZ370 v2.2 July 1997");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
    }
};

TEST_F(Menus, CheckMarksAreFoundByCommandThroughPopups)
{
    EXPECT_EQ(GetMenuState(bar, LOGGING, MF_BYCOMMAND), UINT{MF_CHECKED});
    EXPECT_EQ(CheckMenuItem(bar, LOGGING, MF_UNCHECKED), DWORD{MF_CHECKED});
    EXPECT_EQ(GetMenuState(run, LOGGING, MF_BYCOMMAND), 0u);
    EXPECT_EQ(CheckMenuItem(run, LOGGING, MF_CHECKED), DWORD{MF_UNCHECKED});
    EXPECT_EQ(CheckMenuItem(run, 2, MF_BYPOSITION | MF_UNCHECKED), DWORD{MF_CHECKED});
    EXPECT_EQ(CheckMenuItem(run, 77, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuState(run, 77, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(Menus, StatesTellGrayedItemsSeparatorsAndPopups)
{
    EXPECT_EQ(GetMenuState(run, ABOUT, MF_BYCOMMAND), UINT{MF_GRAYED});
    EXPECT_EQ(GetMenuState(run, 1, MF_BYPOSITION), UINT{MF_SEPARATOR});
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (4u << 8) | MF_POPUP);
}

TEST_F(Menus, ItemsCanBeReadByPosition)
{
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemCount(run), 4);
    EXPECT_EQ(GetMenuItemCount(nullptr), -1);
    EXPECT_EQ(GetSubMenu(bar, 0), run);
    EXPECT_EQ(GetSubMenu(run, 0), nullptr);
    EXPECT_EQ(GetSubMenu(bar, -1), nullptr);
    EXPECT_EQ(GetMenuItemID(run, 2), LOGGING);
    EXPECT_EQ(GetMenuItemID(run, 1), 0u);
    EXPECT_EQ(GetMenuItemID(bar, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuItemID(run, 4), 0xFFFFFFFFu);
    char text[9];
    EXPECT_EQ(GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION), 4);
    EXPECT_STREQ(text, "&Run");
    EXPECT_EQ(GetMenuStringA(run, LOGGING, text, sizeof text, MF_BYCOMMAND), 8);
    EXPECT_STREQ(text, "&Logging");
    EXPECT_EQ(GetMenuStringA(run, LOGGING, nullptr, 0, MF_BYCOMMAND), 15);
}

TEST_F(Menus, AMenuInsideItselfDoesNotTrapTheSearch)
{
    AppendMenuA(run, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "again");
    EXPECT_EQ(GetMenuState(bar, 12345, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_FALSE(AppendMenuA(reinterpret_cast<HMENU>(0x10), MF_STRING, 1, "x"));
}

TEST_F(Menus, OnlyEnabledItemsCanBeChosen)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 601, 540);
    SetMenu(hwnd, bar);
    EXPECT_EQ(GetMenu(hwnd), bar);
    EXPECT_FALSE(qz370::headless::choose_menu_item(hwnd, ABOUT));
    EXPECT_FALSE(qz370::headless::choose_menu_item(hwnd, 0));
    EXPECT_FALSE(qz370::headless::choose_menu_item(hwnd, 77));
    EXPECT_TRUE(qz370::headless::choose_menu_item(hwnd, LOGGING));
    pump();
    ASSERT_EQ(count_of(hwnd, WM_COMMAND), 1);
    EXPECT_EQ(received.back().wParam, WPARAM{LOGGING});
}

TEST_F(Menus, AGrayedPopupHidesItsItems)
{
    HMENU grayed_bar = CreateMenu();
    AppendMenuA(grayed_bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(run), "&Run");
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 601, 540);
    SetMenu(hwnd, grayed_bar);
    EXPECT_FALSE(qz370::headless::choose_menu_item(hwnd, LOGGING));
}

TEST_F(Menus, OnlyTopLevelWindowsAndLiveMenusMakeAMenuBar)
{
    HWND hwnd = create_window(WS_CAPTION, 0, 0, 601, 540);
    HWND child = create_child(hwnd, 0, 0, 0, 10, 10);
    EXPECT_FALSE(SetMenu(child, bar));
    EXPECT_FALSE(SetMenu(hwnd, reinterpret_cast<HMENU>(hwnd)));
    EXPECT_EQ(GetMenu(hwnd), nullptr);
}

}  // namespace
