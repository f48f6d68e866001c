// qz370-replay's command line, its outputs and its working directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "animated_gif_reader.h"
#include "reference_images.h"
#include "replay_tool_runner.h"

namespace qz370::test {
namespace {

namespace fs = std::filesystem;

constexpr char SHORT_SCRIPT[] = "QZ370_PERIODIC(3);\nQZ370_MOUSE(-257, 232);\n";  // three ticks, then NEW GAME
// The demo's opening: its fourth tick and the two clicks after it show the same picture.
constexpr char STILL_SCRIPT[] = "QZ370_PERIODIC(4);\nQZ370_MOUSE(-257, 132);\nQZ370_MOUSE(-257, 132);\n";
constexpr int CENTISECONDS_PER_FRAME = 10;

int line_count(const std::string &text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

bool is_empty_directory(const std::string &path) { return fs::is_empty(path); }

struct ToolTest : ::testing::Test {
    TemporaryDirectory work;     // where the tool is started
    TemporaryDirectory scratch;  // the tool's TMPDIR

    ToolRun run(const std::vector<std::string> &arguments) {
        return run_replay_tool(arguments, work.path(), scratch.path());
    }
};

TEST_F(ToolTest, HelpSucceeds) { EXPECT_EQ(run({"--help"}).exit_status, 0); }

TEST_F(ToolTest, BadArgumentsGiveOneLineAndStatusTwo) {
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"--bogus"}, {"--log"}, {"--png="}, {"--gif"}, {"stray"}, {"--quiet", "-x"},
          {"--program", "missing"}, {"--program", "./missing"}, {"--program", "."}, {"--timeout", "0"},
          {"--timeout=1s"}}) {
        ToolRun result = run(arguments);
        EXPECT_EQ(result.exit_status, 2) << arguments.front();
        EXPECT_EQ(line_count(result.error_output), 1) << result.error_output;
    }
}

TEST_F(ToolTest, AScriptThatCannotBeOpenedGivesOneLineAndStatusTwo) {
    ToolRun result = run({"--script", "missing.scr"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(line_count(result.error_output), 1);
    EXPECT_NE(result.error_output.find("missing.scr"), std::string::npos);
    EXPECT_TRUE(is_empty_directory(scratch.path()));
    EXPECT_EQ(run({}).exit_status, 2) << "no QZ370.SCR here";
}

// The script, a file of the user's, a folder and a pipe: what each refused
// command line must leave as it was.
struct UsersFiles : ToolTest {
    static constexpr char PRECIOUS[] = "precious\n";
    std::string script = SHORT_SCRIPT;

    void SetUp() override {
        write_file(work.file("v.scr"), script);
        write_file(work.file("precious.txt"), PRECIOUS);
        fs::permissions(work.file("precious.txt"), fs::perms::owner_all);
        fs::create_directory(work.file("folder"));
        mkfifo(work.file("pipe").c_str(), 0600);
    }
    void expect_left_as_they_were(const std::string &context) {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(work.path())) {
            names.insert(entry.path().filename().string());
        }
        EXPECT_EQ(names, (std::set<std::string>{"folder", "pipe", "precious.txt", "v.scr"})) << context;
        EXPECT_TRUE(is_empty_directory(work.file("folder"))) << context;
        EXPECT_EQ(read_file(work.file("v.scr")), script) << context;
        EXPECT_EQ(read_file(work.file("precious.txt")), PRECIOUS) << context;
        EXPECT_TRUE(is_empty_directory(scratch.path())) << context;
    }
};

TEST_F(UsersFiles, PathsAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        std::vector<std::string> arguments;
        const char *error;
    };
    const Case cases[] = {
        {{"--script", "v.scr", "--log", "v.scr"}, "--log v.scr is the script, which is never written"},
        {{"--script", "v.scr", "--hashes", "./v.scr"}, "--hashes ./v.scr is the script, which is never written"},
        {{"--script", "v.scr", "--png", "v.scr"}, "--png v.scr is the script, which is never written"},
        {{"--script", "v.scr", "--program", "./precious.txt", "--gif", "precious.txt"},
         "--gif precious.txt is the program, which is never written"},
        {{"--script", "missing.scr", "--log", "precious.txt", "--frames", "new"},
         "cannot read script missing.scr: No such file or directory"},
        {{"--script", "v.scr", "--hashes", "precious.txt", "--log", "precious.txt"},
         "--log and --hashes are both precious.txt"},
        {{"--script", "v.scr", "--log", "precious.txt", "--png", "folder/../precious.txt"},
         "--log and --png are both folder/../precious.txt"},
        {{"--script", "v.scr", "--log", "new.txt", "--png", "out/x.png"},
         "cannot write out/x.png: No such file or directory"},
        {{"--script", "v.scr", "--frames", "out/frames"}, "cannot write out/frames: No such file or directory"},
        {{"--script", "v.scr", "--frames", "precious.txt"}, "cannot write precious.txt: Not a directory"},
        {{"--script", "v.scr", "--log", "folder"}, "cannot write folder: Is a directory"},
        {{"--script", "folder"}, "cannot read script folder: is not a regular file"},
        {{"--script", "pipe", "--log", "new.txt"}, "cannot read script pipe: is not a regular file"},
    };
    for (const Case &c : cases) {
        ToolRun result = run(c.arguments);
        EXPECT_EQ(result.exit_status, 2) << c.error;
        EXPECT_EQ(result.error_output, std::string("qz370-replay: ") + c.error + "\n");
        expect_left_as_they_were(c.error);
    }
}

// /dev/full takes nothing: the run fails with status 1, saying only what
// failed and why, and no output takes its place.
TEST_F(UsersFiles, AnOutputThatCannotBeWrittenChangesNoFile) {
    for (const char *full : {"--hashes", "--png", "--log"}) {
        ToolRun result = run({"--script", "v.scr", "--log", "precious.txt", "--png", "precious.txt.png", "--frames",
                              "folder", full, "/dev/full", "--quiet"});
        EXPECT_EQ(result.exit_status, 1) << full;
        EXPECT_EQ(result.error_output, "qz370-replay: cannot write /dev/full: No space left on device\n") << full;
        expect_left_as_they_were(full);
    }
}

// Stopped while frames are being written into a hidden folder in theirs.
TEST_F(UsersFiles, AStoppedRunRemovesEverythingItWrote) {
    script = "QZ370_PERIODIC(100000000);\n";
    write_file(work.file("v.scr"), script);
    auto playing = [&] {
        for (const auto &entry : fs::directory_iterator(work.file("folder"))) {
            if (!fs::is_empty(entry.path())) {
                return true;
            }
        }
        return false;
    };
    for (int signal : {SIGINT, SIGTERM}) {
        ToolRun result = run_replay_tool_until(
            {"--script", "v.scr", "--log", "precious.txt", "--frames", "folder", "--hashes", "new.txt"}, work.path(),
            scratch.path(), playing, signal);
        EXPECT_EQ(result.exit_status, 128 + signal) << result.error_output;
        expect_left_as_they_were(strsignal(signal));
    }
}

TEST_F(ToolTest, PlaysQZ370SCRFromTheWorkingDirectoryIntoRelativeOutputs) {
    write_file(work.file("QZ370.SCR"), SHORT_SCRIPT);
    // A longer earlier run's frames go; the folder's other files stay.
    fs::create_directory(work.file("frames"));
    write_file(work.file("frames/frame_000009.png"), "earlier");
    write_file(work.file("frames/notes.txt"), "kept");
    ToolRun result = run({"--png", "final.png", "--frames", "frames", "--hashes", "hashes.txt"});
    ASSERT_EQ(result.exit_status, 0) << result.error_output;
    EXPECT_EQ(read_file(work.file("frames/notes.txt")), "kept");
    fs::remove(work.file("frames/notes.txt"));
    // The opening picture, then one frame per event: three ticks and a click.
    EXPECT_NE(result.error_output.find("4 events, 5 frames"), std::string::npos) << result.error_output;
    EXPECT_EQ(read_lines(work.file("hashes.txt")).size(), 5u);
    std::vector<std::string> frames;
    for (const auto &entry : fs::directory_iterator(work.file("frames"))) {
        frames.push_back(entry.path().filename().string());
    }
    std::sort(frames.begin(), frames.end());
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames.front(), "frame_000001.png");
    std::string final_picture = read_file(work.file("final.png"));
    EXPECT_EQ(final_picture.substr(1, 3), "PNG");
    EXPECT_EQ(final_picture, read_file(work.file("frames/" + frames.back())));
    EXPECT_EQ(read_file(work.file("QZ370.SCR")), SHORT_SCRIPT);
    EXPECT_TRUE(is_empty_directory(scratch.path())) << "the scratch directory was left behind";
}

TEST_F(ToolTest, EachFrameHasItsOwnHashLine) {
    write_file(work.file("demo.scr"), SHORT_SCRIPT);
    ASSERT_EQ(run({"--script", "demo.scr", "--hashes", "hashes.txt", "--quiet"}).exit_status, 0);
    std::vector<std::string> hashes = read_lines(work.file("hashes.txt"));
    ASSERT_EQ(hashes.size(), 5u);
    for (const std::string &hash : hashes) {
        EXPECT_EQ(hash.size(), 16u);
        EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << hash;
    }
    EXPECT_NE(hashes[0], hashes[1]) << "the first tick brings the fleet into the picture";
}

// The outputs show the run up to the line; the status says it stopped there.
TEST_F(ToolTest, AnUnrecognisedLineEndsTheRunWithStatusFour) {
    write_file(work.file("odd.scr"), "QZ370_PERIODIC(2);\nnot an event\nQZ370_PERIODIC(5);\n");
    ToolRun result = run({"--script", "odd.scr", "--log", "log.txt", "--hashes", "hashes.txt"});
    EXPECT_EQ(result.exit_status, 4);
    EXPECT_NE(result.error_output.find("2 events, 3 frames"), std::string::npos) << result.error_output;
    EXPECT_NE(result.error_output.find("qz370-replay: odd.scr: playback stopped at line 2 'not an event': unknown "
                                       "keyword\n"),
              std::string::npos)
        << result.error_output;
    EXPECT_EQ(read_lines(work.file("hashes.txt")).size(), 3u);
    EXPECT_EQ(read_file(work.file("log.txt")).find("EOF"), std::string::npos);
}

TEST_F(ToolTest, TheEndOfTheScriptIsLoggedAndQuietSaysNothing) {
    write_file(work.file("QZ370.SCR"), SHORT_SCRIPT);
    ToolRun result = run({"--log", "log.txt", "--quiet"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.error_output, "");
    EXPECT_EQ(read_file(work.file("log.txt")), "EOF encountered in script file QZ370.SCR\n");
}

// A program that fails, is killed, or is not built on QZ370 and so never takes
// part, is reported in one line with status three.
TEST_F(ToolTest, AProgramThatFailsOrTakesNoPartGivesStatusThree) {
    write_file(work.file("QZ370.SCR"), SHORT_SCRIPT);
    write_file(work.file("crash"), "#!/bin/sh\nkill -SEGV $$\n");
    fs::permissions(work.file("crash"), fs::perms::owner_all);
    for (std::string program : {"false", "true", "./crash"}) {
        ToolRun result = run({"--program", program, "--quiet"});
        EXPECT_EQ(result.exit_status, 3) << program;
        EXPECT_EQ(line_count(result.error_output), 1) << result.error_output;
        EXPECT_NE(result.error_output.find(program.substr(program.find_first_not_of("./"))), std::string::npos)
            << result.error_output;
    }
}

test_images::Image read_picture(const std::string &path) {
    test_images::Image image;
    std::string error;
    EXPECT_TRUE(test_images::read_png(path, &image, &error)) << error;
    return image;
}

// The pictures of --frames in order, each with the number of frames it stayed.
std::vector<std::pair<std::vector<uint32_t>, int>> runs_of_equal_frames(const std::string &directory) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    std::vector<std::pair<std::vector<uint32_t>, int>> runs;
    for (const std::string &name : names) {
        std::vector<uint32_t> pixels = read_picture(name).pixels;
        if (!runs.empty() && runs.back().first == pixels) {
            runs.back().second += 1;
        } else {
            runs.emplace_back(pixels, 1);
        }
    }
    return runs;
}

TEST_F(ToolTest, TheGifShowsEachFrameForItsTimeLoopsAndEndsOnTheFinalPicture) {
    write_file(work.file("QZ370.SCR"), STILL_SCRIPT);
    ToolRun result = run({"--gif", "run.gif", "--frames", "frames", "--png", "final.png", "--quiet"});
    ASSERT_EQ(result.exit_status, 0) << result.error_output;
    AnimatedGif gif;
    std::string error;
    ASSERT_TRUE(read_animated_gif(work.file("run.gif"), gif, error)) << error;
    EXPECT_TRUE(gif.loops_forever);

    std::vector<std::pair<std::vector<uint32_t>, int>> runs = runs_of_equal_frames(work.file("frames"));
    ASSERT_EQ(gif.images.size(), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_TRUE(gif.images[i].pixels == runs[i].first) << "image " << i;
        EXPECT_EQ(gif.images[i].delay, CENTISECONDS_PER_FRAME * runs[i].second) << "image " << i;
    }
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const auto &run) { return run.second > 1; }))
        << "the script no longer shows a picture twice in a row";
    test_images::Image final_picture = read_picture(work.file("final.png"));
    EXPECT_EQ(gif.width, final_picture.width);
    EXPECT_TRUE(gif.images.back().pixels == final_picture.pixels);
}

TEST_F(ToolTest, AGifThatCannotBeWrittenGivesOneLineAndStatusTwo) {
    write_file(work.file("QZ370.SCR"), SHORT_SCRIPT);
    ToolRun result = run({"--gif", "missing/run.gif"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(line_count(result.error_output), 1) << result.error_output;
}

// The shipped demo: moving, shooting, losing the ship, a new game and a
// cleared wave, 413 events in all, ending on the shipped picture.
TEST_F(ToolTest, TheDemoScriptPlaysToItsShippedLastFrame) {
    ToolRun result = run({"--script", QZ370_TEST_DATA "/../../demo/vortaline.scr", "--png", "last.png"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_NE(result.error_output.find("413 events, 414 frames"), std::string::npos) << result.error_output;
    test_images::Image ours;
    test_images::Image shipped;
    std::string error;
    ASSERT_TRUE(test_images::read_png(work.file("last.png"), &ours, &error)) << error;
    ASSERT_TRUE(test_images::read_png(QZ370_TEST_DATA "/../../demo/vortaline.png", &shipped, &error)) << error;
    EXPECT_TRUE(ours.width == shipped.width && ours.height == shipped.height && ours.pixels == shipped.pixels);
}

}  // namespace
}  // namespace qz370::test

namespace qz370::test {
namespace {

const std::string GREETING = QZ370_BINARY_DIR "/examples/greeting";
const std::string SHAPES = QZ370_BINARY_DIR "/examples/shapes";
const std::string SUBJECT = QZ370_BINARY_DIR "/tests/replay_subject";

// Runs that cannot end well end in one go, saying why; none may hang.
TEST_F(ToolTest, EveryRunThatCannotEndWellSaysWhy) {
    write_file(work.file("hang"), "#!/bin/sh\nsleep 1000 &\nexec sleep 1000\n");
    fs::permissions(work.file("hang"), fs::perms::owner_all);
    struct Case {
        std::string subject;  // REPLAY_SUBJECT
        std::string program;
        std::string script;
        int exit_status;
        std::string said;
    };
    const Case cases[] = {
        {"", GREETING, "QZ370_MOUSE(0, 0);\n", 3,
         "v.scr: the input dialog waits for an answer at the end of the script\n"},
        {"", GREETING, "QZ370_MOUSE(0, 0);\nQZ370_KBD(65);\n", 3,
         "v.scr: the input dialog waits for an answer, and line 2 'QZ370_KBD(65);' is not one\n"},
        {"", GREETING, "QZ370_MOUSE(0, 0);\nQZ370_GETS(\"A\\q\");\n", 3,
         "v.scr: the input dialog waits for an answer, and line 2 'QZ370_GETS(\"A\\q\");' cannot be read as one: "
         "'\\q' is no escape the reader takes"},
        {"", GREETING, "QZ370_GETS(\"Ada\");\n", 4,
         "line 1 'QZ370_GETS(\"Ada\");': an answer to the input dialog, where the program asked for none\n"},
        {"", "", "QZ370_PERIODIC(2);\n QZ370_MOUSE(-250, 200);\nQZ370_PERIODIC(40);\n", 4,
         "v.scr: playback stopped at line 2 ' QZ370_MOUSE(-250, 200);': begins with a blank\n"},
        {"", "", "QZ370_PERIODIC(2);\nQZ370_KBD(32);", 4,
         "line 2 'QZ370_KBD(32);': no line end: the reader meets the end of the file there and does not play it\n"},
        {"", "./hang", SHORT_SCRIPT, 3, "hang did not finish within 1 s (--timeout); ended\n"},
        {"never-waits", SUBJECT, SHORT_SCRIPT, 3,
         "replay_subject did not finish within 1 s (--timeout); ended\nqz370-replay: the last lines it printed:\n"
         "  drawing for ever\n"},
        {"own-loop", SUBJECT, SHORT_SCRIPT, 3,
         "replay_subject: stopped after 60 s of the replay's clock without taking the script's next event\n"},
        // A control byte it printed reaches the terminal as \\xHH, not as an escape sequence.
        {"fail", SUBJECT, SHORT_SCRIPT, 3,
         "exited with 5\nqz370-replay: the last lines it printed:\n  about to \\x1B[1mfail\n"},
        {"crash", SUBJECT, SHORT_SCRIPT, 3,
         "was killed by signal 6 (Aborted)\nqz370-replay: the last lines it printed:\n  about to crash\n"},
        {"ends-after-7", SUBJECT, "QZ370_PERIODIC(7);\nQZ370_MOUSE(5, 5);\nQZ370_PERIODIC(20);\n", 4,
         "v.scr: the program ended by itself before line 2 'QZ370_MOUSE(5, 5);' was played\n"},
        {"ends-at-once", SUBJECT, SHORT_SCRIPT, 4,
         "v.scr: the program ended by itself before line 1 'QZ370_PERIODIC(3);' was played\n"},
    };
    for (const Case &c : cases) {
        write_file(work.file("v.scr"), c.script);
        std::vector<std::string> arguments{"--script", "v.scr", "--timeout", "1", "--png", "p.png", "--quiet"};
        if (!c.program.empty()) {
            arguments.insert(arguments.end(), {"--program", c.program});
        }
        setenv("REPLAY_SUBJECT", c.subject.c_str(), 1);
        ToolRun result = run(arguments);
        EXPECT_EQ(result.exit_status, c.exit_status) << c.said;
        EXPECT_NE(result.error_output.find(c.said), std::string::npos) << result.error_output;
        EXPECT_EQ(fs::exists(work.file("p.png")), c.exit_status == 4) << c.said;
        fs::remove(work.file("p.png"));
    }
    setenv("REPLAY_SUBJECT", "no-window", 1);
    ToolRun result = run({"--script", "v.scr", "--program", SUBJECT, "--quiet"});
    EXPECT_EQ(result.exit_status, 4);
    EXPECT_NE(result.error_output.find("the program ended by itself before line 1"), std::string::npos)
        << result.error_output;
    unsetenv("REPLAY_SUBJECT");
}

// The subject draws nothing: its events show no frames, and are counted all the same.
TEST_F(ToolTest, TheSummaryCountsEventsThatDrawNothing) {
    for (auto [script, said] : {std::pair<std::string, std::string>{"QZ370_KBD(65);\n", ": 1 event, "},
                                {"QZ370_PERIODIC(2);\nQZ370_KBD(65);\nQZ370_GETS(\"a\");\n", ": 3 events, "}}) {
        write_file(work.file("v.scr"), script);
        ToolRun result = run({"--script", "v.scr", "--program", SUBJECT});
        EXPECT_NE(result.error_output.find(said), std::string::npos) << result.error_output;
    }
}

TEST_F(ToolTest, ASignalStopsTheRunWhileTheProgramIsStuck) {
    write_file(work.file("v.scr"), SHORT_SCRIPT);
    write_file(work.file("stuck"), "#!/bin/sh\ntouch started\nexec sleep 1000\n");
    fs::permissions(work.file("stuck"), fs::perms::owner_all);
    // It starts in the tool's scratch directory.
    auto started = [&] {
        for (const auto &entry : fs::recursive_directory_iterator(scratch.path())) {
            if (entry.path().filename() == "started") {
                return true;
            }
        }
        return false;
    };
    for (int signal : {SIGINT, SIGTERM}) {
        ToolRun result = run_replay_tool_until(
            {"--script", "v.scr", "--program", work.file("stuck"), "--log", "log.txt"}, work.path(), scratch.path(),
            started, signal);
        EXPECT_EQ(result.exit_status, 128 + signal) << result.error_output;
        EXPECT_FALSE(fs::exists(work.file("log.txt")));
    }
}

// Lines taken as written (an empty line, blanks between numbers, an answer)
// are not listed.
TEST_F(ToolTest, CheckListsTheLinesTheReaderTakesOtherwise) {
    // The dialog reads an answer whole; the event reader a long line in
    // pieces of 511, playing each that is an event.
    const std::string long_answer = "QZ370_GETS(\"" + std::string(600, 'y') + "\");\n";
    const std::string padded_click = "QZ370_MOUSE(1, 2);" + std::string(493, ' ');
    const std::string long_event = padded_click + "QZ370_KBD(65);\n";
    write_file(work.file("v.scr"),
               std::string() + "\xEF\xBB\xBFQZ370_KBD(9);\nQZ370_KBD(233);\nQZ370_KBD(300);\nQZ370_PERIODIC(0);\nQZ370_MOUSY(1,2);\n"
               "QZ370_PERIODIC(-4);\n\nQZ370_MOUSE(99999999999, 0);\nQZ370_GETS(\"a\\x22b\");\nQZ370_GETS(\"a);\n"
               "QZ370_GETS(\"\\q\");\nQZ370_GETS(\"\\x4\");\nQZ370_GETS(\"\\xZZ\");\nQZ370_GETS(\"a\\x00\");\n"
               "hel\x1Blo\nQZ370_MOUSE(1,2);\n" +
                   long_answer + long_event + "QZ370_KBD(5);");
    std::string command = "cd '" + work.path() + "' && '" QZ370_BINARY_DIR
                          "/tools/qz370-replay/qz370-replay' --check --script v.scr >check.txt";
    int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 4);
    EXPECT_EQ(read_file(work.file("check.txt")),
              "v.scr:1: '\xEF\xBB\xBFQZ370_KBD(9);': begins with a byte-order mark; playback stops here\n"
              "v.scr:3: 'QZ370_KBD(300);': read as the key with code 44\n"
              "v.scr:4: 'QZ370_PERIODIC(0);': a count of 0, taken as 1\n"
              "v.scr:5: 'QZ370_MOUSY(1,2);': read as QZ370_MOUSE(1, 2);\n"
              "v.scr:6: 'QZ370_PERIODIC(-4);': read as QZ370_PERIODIC(4);\n"
              "v.scr:8: 'QZ370_MOUSE(99999999999, 0);': read as QZ370_MOUSE(2147483647, 0);\n"
              "v.scr:10: 'QZ370_GETS(\"a);': not an answer as QZ370_GETS(\"text\"); writes it; playback stops here\n"
              "v.scr:11: 'QZ370_GETS(\"\\q\");': '\\q' is no escape the reader takes (\\\" \\\\ or \\xHH but "
              "\\x00); playback stops here\n"
              "v.scr:12: 'QZ370_GETS(\"\\x4\");': '\\x4' is no escape the reader takes (\\\" \\\\ or \\xHH but "
              "\\x00); playback stops here\n"
              "v.scr:13: 'QZ370_GETS(\"\\xZZ\");': '\\x' is no escape the reader takes (\\\" \\\\ or \\xHH but "
              "\\x00); playback stops here\n"
              "v.scr:14: 'QZ370_GETS(\"a\\x00\");': '\\x00' is no escape the reader takes (\\\" \\\\ or \\xHH "
              "but \\x00); playback stops here\n"
              "v.scr:15: 'hel\\x1Blo': shorter than seven characters; playback stops here\n"
              "v.scr:18: '" + padded_click +
                  "': longer than 511 characters: the reader takes it in pieces, each a line of its own\n"
                  "v.scr:18: 'QZ370_KBD(65);': the rest of a line longer than 511 characters, taken as a line of "
                  "its own\n"
                  "v.scr:19: 'QZ370_KBD(5);': no line end: the reader meets the end of the file there and does not play "
              "it\n");
    EXPECT_EQ(run({"--check", "--script", QZ370_TEST_DATA "/../../demo/vortaline.scr"}).exit_status, 0);
}

// --logging switches the log on and leaves it on; --log holds the lines as
// the text window showed them, one per line.
TEST_F(ToolTest, TheLogHoldsTheShownLinesWithLoggingLeftOn) {
    write_file(work.file("v.scr"), SHORT_SCRIPT);
    setenv("REPLAY_SUBJECT", "print-lines", 1);
    ASSERT_EQ(run({"--script", "v.scr", "--program", SUBJECT, "--log", "log.txt", "--quiet"}).exit_status, 0);
    unsetenv("REPLAY_SUBJECT");
    EXPECT_EQ(read_file(work.file("log.txt")), "first\nsecond\nthird\\nfourth\n" + std::string(1023, 'x') + "\n" +
                                                   "EOF encountered in script file QZ370.SCR\n");

    const std::string shapes_script = QZ370_TEST_DATA "/../../examples/shapes.scr";
    ASSERT_EQ(run({"--script", shapes_script, "--program", SHAPES, "--log", "plain.txt", "--quiet"}).exit_status, 0);
    ASSERT_EQ(run({"--script", shapes_script, "--program", SHAPES, "--log", "logging.txt", "--logging", "--quiet"})
                  .exit_status,
              0);
    EXPECT_EQ(read_file(work.file("logging.txt")), read_file(work.file("plain.txt")));
}

}  // namespace
}  // namespace qz370::test
