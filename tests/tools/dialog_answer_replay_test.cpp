// A run of greeting as a user gives it (two names through the input dialog),
// recorded on the headless display the way a desktop run is recorded, then
// replayed through qz370-replay --program: the replay ends on the picture the
// run ended on.
#include <gtest/gtest.h>
#include <qz370.h>

#include <filesystem>
#include <string>
#include <vector>

#include "headless.h"
#include "replay_tool_runner.h"

namespace qz370::test {
namespace {

namespace fs = std::filesystem;

constexpr UINT RUN_RECORD = 5;
// Bytes a keyboard can hardly type, with a quote and a backslash among them.
const std::string NAMES[] = {"Ada \"the first\" \\ L.", "B\xE9la\tB\x01"};

int idle_steps = 0;
HWND graphics = nullptr;
std::string last_picture;

void give_name(const std::string &name) {
    SetWindowTextA(GetFocus(), name.c_str());
    headless::key_down(GetFocus(), VK_RETURN);
    headless::key_up(GetFocus(), VK_RETURN);
}

// Record from the first wait; click, answer, click, answer; close.
void play_user() {
    switch (idle_steps++) {
    case 0:
        graphics = FindWindowA("DrawWndClass", nullptr);
        SendMessageA(graphics, WM_COMMAND, RUN_RECORD, 0);
        headless::click(graphics, 100, 100);
        break;
    case 1: give_name(NAMES[0]); break;
    case 2: headless::click(graphics, 100, 100); break;
    case 3: give_name(NAMES[1]); break;
    case 4: {
        int width = 0;
        int height = 0;
        const uint32_t *pixels = headless::client_pixels(graphics, &width, &height);
        last_picture = xxh3_pixels_hex(pixels, width, height);
        headless::close_window(graphics);
        break;
    }
    default: break;
    }
}

TEST(DialogAnswerReplay, ARecordedRunThatAnsweredTwoDialogsReplaysToItsLastFrame) {
    TemporaryDirectory work;
    TemporaryDirectory scratch;
    fs::path previous = fs::current_path();
    fs::current_path(work.path());
    headless::use();
    headless::set_idle_hook(play_user);
    char command_line[] = "";
    ASSERT_EQ(WinMain(nullptr, nullptr, command_line, SW_SHOWNORMAL), 0);
    headless::set_idle_hook(nullptr);
    fs::current_path(previous);
    ASSERT_EQ(idle_steps, 5) << "the run did not go as the user played it";

    std::string script = read_file(work.file("QZ370.SCR"));
    EXPECT_NE(script.find("QZ370_GETS(\"Ada \\\"the first\\\" \\\\ L.\");\n"), std::string::npos) << script;
    EXPECT_NE(script.find("QZ370_GETS(\"B\\xE9la\\x09B\\x01\");\n"), std::string::npos) << script;
    ToolRun result = run_replay_tool({"--program", QZ370_BINARY_DIR "/examples/greeting", "--log", "log.txt",
                                      "--hashes", "hashes.txt", "--quiet"},
                                     work.path(), scratch.path());
    ASSERT_EQ(result.exit_status, 0) << result.error_output;
    std::vector<std::string> log = read_lines(work.file("log.txt"));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1], "Hello, " + NAMES[0] + "! (greeting 1)");
    EXPECT_EQ(log[2], "Hello, " + NAMES[1] + "! (greeting 2)");
    EXPECT_EQ(read_lines(work.file("hashes.txt")).back(), last_picture);
}

// A dialog's loop is the program's first wait: playback starts there, and the
// dialog takes its answer.
TEST(DialogAnswerReplay, ADialogOpenedBeforeTheFirstWaitTakesItsAnswer) {
    TemporaryDirectory work;
    TemporaryDirectory scratch;
    write_file(work.file("QZ370.SCR"), "QZ370_GETS(\"Ann\");\nQZ370_MOUSE(0, 0);\nQZ370_GETS(\"Bo\");\n");
    setenv("REPLAY_SUBJECT", "asks-first", 1);
    ToolRun result = run_replay_tool({"--program", QZ370_BINARY_DIR "/tests/replay_subject", "--log", "log.txt",
                                      "--quiet"},
                                     work.path(), scratch.path());
    unsetenv("REPLAY_SUBJECT");
    ASSERT_EQ(result.exit_status, 0) << result.error_output;
    EXPECT_EQ(read_file(work.file("log.txt")), "Hello, Ann\nHello, Bo\nEOF encountered in script file QZ370.SCR\n");
}

}  // namespace
}  // namespace qz370::test
