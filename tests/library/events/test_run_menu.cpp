#include <gtest/gtest.h>

#include <string>

#include "open_library.h"

using namespace events_test;

namespace {

struct ExpectedEntry {
    UINT id;
    const char *text;  // null for the contact lines, whose wording is free
    UINT flags;        // of MF_SEPARATOR, MF_CHECKED, MF_GRAYED
};

constexpr ExpectedEntry EXPECTED_ENTRIES[] = {
    {1, "&Animate\tCtrl+A", 0},
    {2, "&Halt animation\tCtrl+H", 0},
    {3, "Advance one &frame\tCtrl+F", 0},
    {0, "", MF_SEPARATOR},
    {4, "&Logging\tCtrl+L", MF_CHECKED},
    {0, "", MF_SEPARATOR},
    {5, "&Record Script\tCtrl+R", 0},
    {6, "&Playback Script\tCtrl+P", 0},
    {7, "Play &One Script\tCtrl+O", 0},
    {0, "", MF_SEPARATOR},
    {8, "&Quit\tCtrl+Q", 0},
    {0, "", MF_SEPARATOR},
    {9, "QZ370 v2.2 July 1997", MF_GRAYED},
    {9, nullptr, MF_GRAYED},
    {9, nullptr, MF_GRAYED},
    {9, nullptr, MF_GRAYED},
};
constexpr int ENTRY_COUNT = 16;
constexpr UINT SHOWN_FLAGS = MF_SEPARATOR | MF_CHECKED | MF_GRAYED;

std::string item_text(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

}  // namespace

TEST(RunMenu, BarHoldsTheRunPopUpWithItsSixteenEntries)
{
    open_library();
    HMENU bar = GetMenu(graphics_window);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetSubMenu(bar, 0), run_menu);
    EXPECT_EQ(item_text(bar, 0), "&Run");

    ASSERT_EQ(GetMenuItemCount(run_menu), ENTRY_COUNT);
    for (int position = 0; position < ENTRY_COUNT; ++position) {
        const ExpectedEntry &expected = EXPECTED_ENTRIES[position];
        SCOPED_TRACE(position);
        EXPECT_EQ(GetMenuItemID(run_menu, position), expected.id);
        EXPECT_EQ(GetMenuState(run_menu, position, MF_BYPOSITION) & SHOWN_FLAGS, expected.flags);
        if (expected.text != nullptr) {
            EXPECT_EQ(item_text(run_menu, position), expected.text);
        }
    }
}

TEST(RunMenu, ContactLinesAreThreeDistinctPlainLines)
{
    open_library();
    const std::string lines[] = {item_text(run_menu, 13), item_text(run_menu, 14), item_text(run_menu, 15)};
    EXPECT_NE(lines[0], lines[1]);
    EXPECT_NE(lines[1], lines[2]);
    EXPECT_NE(lines[0], lines[2]);
    for (const std::string &line : lines) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find_first_of("\n\t&"), std::string::npos) << line;
    }
    EXPECT_FALSE(qz370::headless::choose_menu_item(graphics_window, MENU_ABOUT));
}
