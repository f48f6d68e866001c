// A program's start-up as its user meets it: the game run with no screen, on
// the headless display by hand, recording or playing from the start and
// counting its frames there.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char *GAME = QZ370_BINARY_DIR "/vortaline";
constexpr const char *GREETING = QZ370_BINARY_DIR "/examples/greeting";

struct StartUp {
    const char *program;
    const char *environment;   // put before the program on a shell's command line
    int exit_status;
    const char *message_part;  // in what the program prints
    int lines;                 // printed
    const char *script;        // what QZ370.SCR holds afterwards; null: no such file
};

const StartUp START_UPS[] = {
    {GAME, "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u QZ370_DISPLAY", 2,
     "vortaline: no display available (to run it without a screen, replay a script: qz370-replay --program", 1,
     nullptr},
    {GAME, "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER QZ370_DISPLAY=Headless", 2,
     "vortaline: QZ370_DISPLAY=Headless ignored (headless runs without a screen)\nvortaline: no display", 2, nullptr},
    // Animating with no input to come, it is stopped as Quit would stop it.
    {GAME, "QZ370_DISPLAY=headless", 3, "vortaline: stopped after 60 s on the headless display", 1, nullptr},
    // Waiting, it has not run for those 60 s.
    {GREETING, "QZ370_DISPLAY=headless", 3,
     "greeting: waits for input on the headless display, where none comes; stopped", 1, nullptr},
    // Every tick from the first wait is in the file: Quit writes the pending run.
    {GAME, "QZ370_DISPLAY=headless QZ370_RECORD=1", 3, "stopped after 60 s", 1, "QZ370_PERIODIC(600);\n"},
    {GAME, "QZ370_DISPLAY=headless QZ370_RECORD=yes", 3, "vortaline: QZ370_RECORD=yes ignored", 2, nullptr},
    // Playing from the start with no script to play, the run ends at once, as Quit ends it.
    {GAME, "QZ370_DISPLAY=headless QZ370_PLAY=1", 0, "", 0, nullptr},
    {GAME, "QZ370_DISPLAY=headless QZ370_PLAY=yes", 3, "vortaline: QZ370_PLAY=yes ignored (1 plays QZ370.SCR", 2,
     nullptr},
    // The first frame and one a tick for 60 s, counted as the program ends.
    {GAME, "QZ370_DISPLAY=headless QZ370_FRAMES=1", 3, "stopped after 60 s on the headless display, where no input "
     "comes (replay a script with qz370-replay --program)\nvortaline: 601 frames shown, ending on ", 2, nullptr},
    {GAME, "QZ370_DISPLAY=headless QZ370_FRAMES=yes", 3, "vortaline: QZ370_FRAMES=yes ignored", 2, nullptr},
    {GAME, "QZ370_REPLAY_FD=99", 2, "vortaline: QZ370_REPLAY_FD is not an open file descriptor", 1, nullptr},
};

std::string read_file(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(StartUp, EachWayOfStartingEndsWithClearLines)
{
    for (const StartUp &start : START_UPS) {
        std::string folder = (fs::temp_directory_path() / "qz370-start-XXXXXX").string();
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        std::string command = "cd '" + folder + "' && " + start.environment + " '" + start.program + "' 2>stderr.txt";
        int status = std::system(command.c_str());
        std::string message = read_file(fs::path(folder) / "stderr.txt");
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, start.exit_status) << start.environment;
        EXPECT_NE(message.find(start.message_part), std::string::npos) << start.environment << ": " << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), start.lines) << message;
        fs::path script = fs::path(folder) / "QZ370.SCR";
        EXPECT_EQ(fs::exists(script), start.script != nullptr) << start.environment;
        if (start.script != nullptr) {
            EXPECT_EQ(read_file(script), start.script);
        }
        fs::remove_all(folder);
    }
}

}  // namespace
