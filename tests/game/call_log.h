// Test support: the library open on the headless display with its call log
// on, every printed line kept, so a test sees exactly what was drawn where.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CallLogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static const std::vector<std::string> &lines();  // printed since SetUp or the last forget_lines
    static void forget_lines();
    // Index of the first line from `from` on that equals `line`, or -1.
    static int find_line(const std::string &line, int from = 0);
};
