#include <gtest/gtest.h>

#include <climits>

#include "text/script_number_reader.h"

TEST(ScriptNumberReader, SkipsToTheNumberAndEndsAfterIt)
{
    const char line[] = "QZ370_MOUSE(-5, -300);\n";
    const ScriptNumber x = read_signed_number(line, 6);
    EXPECT_EQ(x.value, -5);
    EXPECT_EQ(x.next, 14);
    const ScriptNumber y = read_signed_number(line, x.next);
    EXPECT_EQ(y.value, -300);
    EXPECT_EQ(y.next, 20);
}

TEST(ScriptNumberReader, MinusSignsOnlyLeadANumber)
{
    EXPECT_EQ(read_signed_number("(5-3)", 0).value, 5);
    EXPECT_EQ(read_signed_number("(5-3)", 0).next, 4);
    EXPECT_EQ(read_signed_number("(--5)", 0).value, 0);
    EXPECT_EQ(read_signed_number("(-)", 0).value, 0);
}

TEST(ScriptNumberReader, CountsTakeDigitsOnly)
{
    const ScriptNumber count = read_count("P(-12-3)", 0);
    EXPECT_EQ(count.value, 12);
    EXPECT_EQ(count.next, 5);
}

TEST(ScriptNumberReader, NoNumberGivesZeroAtTheLineEnd)
{
    const ScriptNumber none = read_signed_number("QZ370_KBD();\n", 6);
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.next, 13);
    EXPECT_EQ(read_count("", 0).next, 0);
}

TEST(ScriptNumberReader, TokensHoldElevenCharactersAndSaturate)
{
    const ScriptNumber cut = read_signed_number("1234567890123", 0);
    EXPECT_EQ(cut.value, INT_MAX);
    EXPECT_EQ(cut.next, 11);
    EXPECT_EQ(read_signed_number("-2147483648", 0).value, INT_MIN);
    EXPECT_EQ(read_signed_number("-2147483649", 0).value, INT_MIN);
    EXPECT_EQ(read_signed_number("2147483647", 0).value, INT_MAX);
    EXPECT_EQ(read_count("00000000000042", 0).value, 0);
}
