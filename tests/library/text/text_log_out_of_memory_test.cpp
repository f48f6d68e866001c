// The ring when memory for a line runs out, which only the headless display
// can arrange.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless.h"
#include "library_state.h"
#include "text_log_lines.h"

using namespace text_log_test;

namespace {

TEST(TextLogTest, LineThatCannotBeStoredIsReportedOnce)
{
    print_observer = observe;
    qz370::headless::fail_allocations(1);
    EXPECT_EQ(QZ370_print("lost\n"), 5);
    print_observer = nullptr;
    EXPECT_EQ(observed(), (std::vector<std::string>{"lost\n", "Out of memory: line not stored\n"}));
    EXPECT_EQ(text_log.next_slot, 1);
    EXPECT_EQ(stored_line(0), "Out of memory: line not stored\n");
}

TEST(TextLogTest, NoticeThatCannotBeStoredEitherEndsThere)
{
    qz370::headless::fail_allocations(2);
    QZ370_print("lost\n");
    EXPECT_EQ(text_log.oldest, -1);
    QZ370_print("kept\n");
    EXPECT_EQ(stored_line(0), "kept\n");
}

TEST(TextLogTest, FullRingKeepsItsOldestLineWhenTheNewOneCannotBeStored)
{
    print_numbered_lines(25);
    qz370::headless::fail_allocations(2);
    QZ370_print("lost\n");
    EXPECT_EQ(text_log.oldest, 0);
    EXPECT_EQ(text_log.next_slot, 0);
    EXPECT_EQ(stored_line(0), "line 1\n");
}

}  // namespace
