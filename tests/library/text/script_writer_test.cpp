#include <filesystem>

#include "script_test_fixture.h"

using namespace script_test;

namespace {

const std::string NO_FILE_MESSAGE = "Cannot open script file QZ370.SCR for writing\n";
const std::string WRITE_FAILED_MESSAGE = "Cannot write script file QZ370.SCR\n";

EventRecord event(int x, int y, signed char key)
{
    return EventRecord{x, y, key, NO_EVENT};
}

}  // namespace

using ScriptWriter = ScriptTest;

TEST_F(ScriptWriter, WritesOneLinePerEventWithTheRunsCount)
{
    write_script_line(QZ370_MOUSE, event(10, 20, 0));
    input.periodic_count = 3;
    write_script_line(QZ370_PERIODIC, event(99, 99, 99));
    write_script_line(QZ370_KBD, event(0, 0, 'a'));
    write_script_line(QZ370_MOUSE, event(-5, -300, 0));
    close_script_file();
    EXPECT_EQ(read_file(), "QZ370_MOUSE(10, 20);\nQZ370_PERIODIC(3);\nQZ370_KBD(97);\nQZ370_MOUSE(-5, -300);\n");
    EXPECT_TRUE(printed().empty());
}

TEST_F(ScriptWriter, HighKeyCodesAreWrittenAsSignedBytes)
{
    write_script_line(QZ370_KBD, event(0, 0, static_cast<signed char>(233)));
    close_script_file();
    EXPECT_EQ(read_file(), "QZ370_KBD(-23);\n");
}

TEST_F(ScriptWriter, TheEndEventOpensTheFileButWritesNothing)
{
    write_file("old contents\n");
    write_script_line(QZ370_EXIT, event(1, 2, 3));
    close_script_file();
    EXPECT_TRUE(script_exists());
    EXPECT_EQ(read_file(), "");
}

// A path the file cannot be created at (as a read-only directory would be, for
// any user but root): the message at every attempt, and the next write tries again.
TEST_F(ScriptWriter, FileThatCannotBeCreatedIsReportedAtEveryAttempt)
{
    std::filesystem::create_directory(SCRIPT_FILE_NAME);
    write_script_line(QZ370_MOUSE, event(1, 2, 0));
    write_script_line(QZ370_KBD, event(0, 0, 'a'));
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(printed(), (std::vector<std::string>{NO_FILE_MESSAGE, NO_FILE_MESSAGE}));

    std::filesystem::remove(SCRIPT_FILE_NAME);
    write_script_line(QZ370_KBD, event(0, 0, 'a'));
    close_script_file();
    EXPECT_EQ(read_file(), "QZ370_KBD(97);\n");
}

// Lines are buffered, so a full disk shows when they are flushed: one message
// for the file, however many lines were lost.
TEST_F(ScriptWriter, FullDiskIsReportedOnce)
{
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "this system has no always-full device";
    }
    std::filesystem::create_symlink("/dev/full", SCRIPT_FILE_NAME);
    write_script_line(QZ370_MOUSE, event(1, 2, 0));
    write_script_line(QZ370_KBD, event(0, 0, 'a'));
    close_script_file();
    EXPECT_EQ(printed(), std::vector<std::string>{WRITE_FAILED_MESSAGE});
    EXPECT_EQ(script_file, nullptr);
}
