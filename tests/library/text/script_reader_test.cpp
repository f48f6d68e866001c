#include <climits>

#include "script_test_fixture.h"

using namespace script_test;

namespace {

const std::string EOF_MESSAGE = "EOF encountered in script file QZ370.SCR\n";

class ScriptReader : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        input.playing_back = 1;
        CheckMenuItem(run_menu, MENU_PLAYBACK, MF_BYCOMMAND | MF_CHECKED);
    }

    void expect_stopped()
    {
        EXPECT_EQ(input.playing_back, 0);
        EXPECT_EQ(input.play_one, 0);
        EXPECT_FALSE(checked(MENU_PLAYBACK));
    }
};

}  // namespace

TEST_F(ScriptReader, PlaysARecordingAndReportsItsEnd)
{
    write_file("QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(3);\nQZ370_KBD(97);\n");

    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, 10);
    EXPECT_EQ(input.current_event.y, 20);
    for (int owed = 2; owed >= 0; --owed) {
        ASSERT_EQ(play(), QZ370_PERIODIC);
        EXPECT_EQ(input.periodic_count, owed);
    }
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 97);
    EXPECT_EQ(input.playing_back, 1);
    EXPECT_TRUE(printed().empty());

    EXPECT_EQ(play(), 0);
    EXPECT_EQ(printed(), std::vector<std::string>{EOF_MESSAGE});
    expect_stopped();
    // The file stays open at its end: the next read meets the end at once.
    EXPECT_NE(script_file, nullptr);
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(printed().size(), 2u);
}

TEST_F(ScriptReader, PeriodicCountsOfOneAndZeroGiveOneEventEach)
{
    write_file("QZ370_PERIODIC(1);\nQZ370_PERIODIC(0);\nQZ370_KBD(5);\n");
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(play(), QZ370_KBD);
}

// Counts are digits only: a minus sign is skipped like any other character.
TEST_F(ScriptReader, NegativePeriodicCountIsReadAsItsDigits)
{
    write_file("QZ370_PERIODIC(-2);\nQZ370_KBD(5);\n");
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_KBD);
}

TEST_F(ScriptReader, KeysAndClicksKeepTheirSigns)
{
    write_file("QZ370_KBD(-23);\nQZ370_MOUSE(-5, -300);\nQZ370_KBD(5-3);\n");
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(static_cast<unsigned char>(input.current_event.key), 233);
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, -5);
    EXPECT_EQ(input.current_event.y, -300);
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 5);
}

TEST_F(ScriptReader, FieldsTheLineDoesNotGiveAreLeftAlone)
{
    write_file("QZ370_KBD(7);\n");
    start_event();
    input.current_event.x = 11;
    input.current_event.y = 12;
    ASSERT_EQ(read_script_line(), 1);
    EXPECT_EQ(input.current_event.x, 11);
    EXPECT_EQ(input.current_event.y, 12);
}

TEST_F(ScriptReader, MissingNumbersReadAsZero)
{
    write_file("QZ370_MOUSE();\nQZ370_MOUSE(5);\nQZ370_KBD;\nQZ370_PERIODIC;\nQZ370_KBD(1);\n");
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, 0);
    EXPECT_EQ(input.current_event.y, 0);
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, 5);
    EXPECT_EQ(input.current_event.y, 0);
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 0);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, 0);
    EXPECT_EQ(play(), QZ370_KBD);
}

// A token holds 11 characters; the rest of a longer number starts the next one.
TEST_F(ScriptReader, OverlongNumbersAreCutAndSaturate)
{
    write_file("QZ370_MOUSE(123456789012345, 1);\nQZ370_MOUSE(-99999999999, 1);\nQZ370_PERIODIC(99999999999);\n");
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, INT_MAX);
    EXPECT_EQ(input.current_event.y, 2345);
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, INT_MIN);
    EXPECT_EQ(input.current_event.y, 9);
    ASSERT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(input.periodic_count, INT_MAX - 1);
}

TEST_F(ScriptReader, EmptyLinesAreSkipped)
{
    write_file("\n\nQZ370_KBD(1);\n\n\nQZ370_KBD(2);\n\n");
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 2);
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(printed(), std::vector<std::string>{EOF_MESSAGE});
}

TEST_F(ScriptReader, WindowsLineEndsPlayBack)
{
    write_file("QZ370_MOUSE(10, 20);\r\n\r\nQZ370_PERIODIC(2);\r\nQZ370_KBD(97);\r\n");
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.y, 20);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 97);
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(printed(), std::vector<std::string>{EOF_MESSAGE});
}

// Lines that are not events stop playback without a message.
TEST_F(ScriptReader, BlankLeadingBlanksAndShortLinesStopSilently)
{
    for (const char *line : {"   \n", "  QZ370_KBD(1);\n", "QZ37M\n", "QZ370_\n", "\r\r\n"}) {
        SCOPED_TRACE(line);
        close_script_file();
        write_file(std::string(line) + "QZ370_KBD(1);\n");
        input.playing_back = 1;
        CheckMenuItem(run_menu, MENU_PLAYBACK, MF_BYCOMMAND | MF_CHECKED);
        EXPECT_EQ(play(), 0);
        expect_stopped();
    }
    EXPECT_TRUE(printed().empty());
}

TEST_F(ScriptReader, PlaybackGoesOnAfterAnUnrecognisedLine)
{
    write_file("QZ370_KBD(1);\nQZ370_XYZ();\nQZ370_KBD(2);\n");
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(play(), 0);
    expect_stopped();
    EXPECT_NE(script_file, nullptr);
    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 2);
    EXPECT_TRUE(printed().empty());
}

TEST_F(ScriptReader, LastLineWithoutNewlineIsNotPlayed)
{
    write_file("QZ370_KBD(1);\nQZ370_KBD(2);");
    EXPECT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(play(), 0);
    EXPECT_EQ(printed(), std::vector<std::string>{EOF_MESSAGE});
}

// The second piece of a 600-character line is read as a line of its own.
TEST_F(ScriptReader, LongLinesAreReadInPieces)
{
    std::string first_piece = "QZ370_KBD(65);";
    first_piece.resize(SCRIPT_LINE_BUFFER - 1, 'z');
    std::string second_piece = "abcdefM(7, 8);";
    second_piece.resize(600 - first_piece.size(), 'z');
    write_file(first_piece + second_piece + "\n");

    ASSERT_EQ(play(), QZ370_KBD);
    EXPECT_EQ(input.current_event.key, 65);
    ASSERT_EQ(play(), QZ370_MOUSE);
    EXPECT_EQ(input.current_event.x, 7);
    EXPECT_EQ(input.current_event.y, 8);
}

// Events a periodic line still owes, after playback was switched off and on,
// come before the next line is read.
TEST_F(ScriptReader, OwedPeriodicEventsComeBeforeTheFileIsRead)
{
    write_file("QZ370_KBD(1);\n");
    input.periodic_count = 2;
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_PERIODIC);
    EXPECT_EQ(play(), QZ370_KBD);
}
