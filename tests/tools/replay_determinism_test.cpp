// A run recorded on the headless display, replayed by qz370-replay through the
// game it finds itself and through the game named with --program: both
// replays show exactly the recorded run's frames and print the same log and
// final picture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "game_state.h"
#include "headless.h"
#include "library_state.h"
#include "replay_tool_runner.h"

namespace qz370::test {
namespace {

// The control panel as the game lays it out: a column of 25-pixel buttons
// between x -295 and -220, the first one's top at y 245.
constexpr int BUTTON_CENTRE_X = -257;
constexpr int FIRST_BUTTON_CENTRE_Y = 232;
constexpr int BUTTON_HEIGHT = 25;
enum Button { NEW_GAME, STOP, GO, SLOWER, SPEEDUP, REVERSE, SHOOT };

using UserAction = std::function<void()>;

void click_at(int x, int y) { headless::click(graphics_window, centre_x + x, centre_y - y); }

UserAction press(Button button) {
    return [button] { click_at(BUTTON_CENTRE_X, FIRST_BUTTON_CENTRE_Y - BUTTON_HEIGHT * button); };
}

UserAction choose(UINT id) {
    return [id] { EXPECT_TRUE(headless::choose_menu_item(graphics_window, id)) << id; };
}

UserAction type(unsigned char character) {
    return [character] { headless::type_char(graphics_window, character); };
}

// Giving nothing lets the clock run to the next tick.
const UserAction tick = [] {};

// One action each time the game waits with nothing to do: recording on, ticks,
// every button, keys, a click off the panel, a halt with a click and a key
// while halted, a single step, animation again, then recording off and Quit.
std::vector<UserAction> recorded_session() {
    return {choose(MENU_RECORD), tick, tick, tick, press(SHOOT), tick, tick, press(SPEEDUP), press(SPEEDUP), tick,
            press(REVERSE), tick, tick, press(SLOWER), tick, press(STOP), tick, press(GO), tick, type('q'),
            type(233), tick, [] { click_at(100, 100); }, tick, press(NEW_GAME), tick, choose(MENU_HALT),
            press(SHOOT), type('h'), choose(MENU_ADVANCE_FRAME), tick, choose(MENU_ANIMATE), tick, tick,
            [] {
                choose(MENU_RECORD)();
                choose(MENU_QUIT)();
            }};
}

struct RecordedRun {
    std::vector<std::string> frame_hashes;
    size_t actions_taken;
    size_t actions_planned;
};

RecordedRun record_run() {
    std::vector<UserAction> actions = recorded_session();
    RecordedRun run{{}, 0, actions.size()};
    headless::use();
    headless::set_idle_hook([&] {
        if (run.actions_taken < actions.size()) {
            actions[run.actions_taken++]();
        } else {
            choose(MENU_QUIT)();
        }
    });
    headless::set_present_hook([&](HWND window) {
        if (window == graphics_window) {
            int width = 0;
            int height = 0;
            const uint32_t *pixels = headless::client_pixels(window, &width, &height);
            run.frame_hashes.push_back(xxh3_pixels_hex(pixels, width, height));
        }
    });
    char no_arguments[] = "";
    EXPECT_EQ(game_main(nullptr, nullptr, no_arguments, SW_SHOWNORMAL), 0);
    return run;
}

TEST(ReplayDeterminism, TwoReplaysShowTheRecordedFramesAndPrintTheSameLog) {
    TemporaryDirectory recording;
    TemporaryDirectory outputs;
    ASSERT_EQ(chdir(recording.path().c_str()), 0);
    RecordedRun recorded = record_run();
    ASSERT_EQ(recorded.actions_taken, recorded.actions_planned);
    std::string script = recording.file(SCRIPT_FILE_NAME);
    std::string script_text = read_file(script);
    for (const char *kind : {"QZ370_MOUSE(", "QZ370_KBD(", "QZ370_PERIODIC("}) {
        EXPECT_NE(script_text.find(kind), std::string::npos) << kind;
    }
    EXPECT_NE(script_text.find("QZ370_KBD(-23);"), std::string::npos);

    // The game the tool finds, then the game named.
    const std::vector<std::string> players[] = {{}, {"--program", QZ370_BINARY_DIR "/vortaline"}};
    for (const char *replay : {"1", "2"}) {
        std::vector<std::string> arguments{"--script", script, "--logging", "--log", outputs.file(std::string("log") + replay),
                                           "--hashes", outputs.file(std::string("hashes") + replay),
                                           "--png", outputs.file(std::string("final") + replay), "--quiet"};
        const std::vector<std::string> &player = players[replay[0] - '1'];
        arguments.insert(arguments.end(), player.begin(), player.end());
        ToolRun run = run_replay_tool(arguments, outputs.path(), outputs.path());
        EXPECT_EQ(run.exit_status, 0) << run.error_output;
        EXPECT_EQ(run.error_output, "");
    }
    EXPECT_EQ(read_lines(outputs.file("hashes1")), recorded.frame_hashes);
    EXPECT_EQ(read_lines(outputs.file("hashes2")), recorded.frame_hashes);
    EXPECT_EQ(read_file(outputs.file("final2")), read_file(outputs.file("final1")));
    std::string log = read_file(outputs.file("log1"));
    EXPECT_EQ(read_file(outputs.file("log2")), log);
    EXPECT_NE(log.find(" text at ("), std::string::npos) << "the call log was not switched on";
    EXPECT_NE(log.find("EOF encountered in script file QZ370.SCR\n"), std::string::npos);
    EXPECT_EQ(read_file(script), script_text);
}

}  // namespace
}  // namespace qz370::test
