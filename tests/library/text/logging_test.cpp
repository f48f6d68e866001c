// The logging switch: its result, its menu check mark and the text window.
#include <gtest/gtest.h>

#include "library_state.h"

namespace {

bool logging_item_checked()
{
    return (GetMenuState(run_menu, MENU_LOGGING, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST(LoggingTest, StartsOn)
{
    EXPECT_EQ(logging, 1);
}

TEST(LoggingTest, BeforeTheLibraryIsOpenNothingChanges)
{
    EXPECT_EQ(QZ370_set_logging(0), 0);
    EXPECT_EQ(logging, 1);
}

class OpenLoggingTest : public ::testing::Test {
protected:
    void SetUp() override { QZ370_begin(nullptr, nullptr, nullptr, SW_SHOW); }
};

TEST_F(OpenLoggingTest, AnyNonZeroSwitchesOnWithTheCheckMark)
{
    EXPECT_EQ(QZ370_set_logging(0), 1);
    EXPECT_EQ(logging, 0);
    EXPECT_FALSE(logging_item_checked());
    EXPECT_EQ(QZ370_set_logging(7), 1);
    EXPECT_EQ(logging, 1);
    EXPECT_TRUE(logging_item_checked());
}

TEST_F(OpenLoggingTest, SwitchingOnShowsTheTextWindow)
{
    QZ370_text_window(0);
    QZ370_set_logging(1);
    EXPECT_TRUE(IsWindowVisible(text_window));
}

TEST_F(OpenLoggingTest, SwitchingOffLeavesTheTextWindowAsItWas)
{
    QZ370_set_logging(0);
    EXPECT_TRUE(IsWindowVisible(text_window));
    QZ370_text_window(0);
    QZ370_set_logging(0);
    EXPECT_FALSE(IsWindowVisible(text_window));
}

}  // namespace
