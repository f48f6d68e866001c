// The ring of the last 25 printed lines, filled without any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library_state.h"
#include "text_log_lines.h"

namespace {

using namespace text_log_test;

TEST(TextLogTest, StartsEmpty)
{
    EXPECT_EQ(text_log.oldest, -1);
    EXPECT_EQ(text_log.next_slot, 0);
}

TEST(TextLogTest, ThreePrintsFillTheFirstThreeSlots)
{
    print_numbered_lines(3);
    EXPECT_EQ(text_log.oldest, 0);
    EXPECT_EQ(text_log.next_slot, 3);
    EXPECT_EQ(stored_line(0), "line 1\n");
    EXPECT_EQ(stored_line(2), "line 3\n");
}

TEST(TextLogTest, TwentyFivePrintsFillTheRing)
{
    print_numbered_lines(25);
    EXPECT_EQ(text_log.oldest, 0);
    EXPECT_EQ(text_log.next_slot, 0);
    EXPECT_EQ(stored_line(24), "line 25\n");
}

TEST(TextLogTest, TwentySixthPrintReplacesTheOldestLine)
{
    print_numbered_lines(26);
    EXPECT_EQ(text_log.oldest, 1);
    EXPECT_EQ(text_log.next_slot, 1);
    EXPECT_EQ(stored_line(0), "line 26\n");
    EXPECT_EQ(stored_line(1), "line 2\n");
}

TEST(TextLogTest, RingKeepsWrappingPastOneRound)
{
    print_numbered_lines(25 * 3 + 4);
    EXPECT_EQ(text_log.oldest, 4);
    EXPECT_EQ(text_log.next_slot, 4);
    EXPECT_EQ(stored_line(3), "line 79\n");
    EXPECT_EQ(stored_line(4), "line 55\n");
}

TEST(TextLogTest, LineIsStoredExactlyAsFormattedInABlockOfItsLength)
{
    EXPECT_EQ(QZ370_print("abc\n"), 4);
    EXPECT_EQ(QZ370_print("%s", "abc"), 3);
    EXPECT_EQ(stored_line(0), "abc\n");
    EXPECT_EQ(GlobalSize(text_log.lines[0]), 5u);
    EXPECT_EQ(stored_line(1), "abc");
}

TEST(TextLogTest, EmptyLinesTakeASlotEach)
{
    EXPECT_EQ(QZ370_print("%s", ""), 0);
    EXPECT_EQ(QZ370_print("\n"), 1);
    EXPECT_EQ(text_log.next_slot, 2);
    EXPECT_EQ(stored_line(0), "");
    EXPECT_EQ(stored_line(1), "\n");
}

TEST(TextLogTest, MissingFormatPrintsAnEmptyLine)
{
    EXPECT_EQ(QZ370_print(nullptr), 0);
    EXPECT_EQ(stored_line(0), "");
}

TEST(TextLogTest, LongTextIsCutTo1023Characters)
{
    const std::string long_text(4000, 'q');
    EXPECT_EQ(QZ370_print("%s\n", long_text.c_str()), 1023);
    EXPECT_EQ(stored_line(0), long_text.substr(0, 1023));
}

TEST(TextLogTest, ObserverSeesEveryLine)
{
    print_observer = observe;
    print_numbered_lines(30);
    print_observer = nullptr;
    ASSERT_EQ(observed().size(), 30u);
    EXPECT_EQ(observed().front(), "line 1\n");
    EXPECT_EQ(observed().back(), "line 30\n");
}

}  // namespace
