// The whole game on the headless display: started by game_main, played with
// ticks, clicks on every button, a key and the close box, each run in a
// process of its own so the library starts fresh.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game_state.h"
#include "headless.h"
#include "library_state.h"

namespace headless = qz370::headless;

namespace {

const std::string FIELD_LINE = "black rectangle with bounding box (-300,250) to (300,-250), filled\n";

struct Step {
    int after_frames;  // act when this many frames have been drawn
    enum { CLICK, KEY, CLOSE } action;
    int x, y;          // screen coordinates of a click
};

// Frames between the steps come from periodic ticks.
const Step SCRIPT[] = {
    {3, Step::CLICK, -250, 180},   // GO
    {5, Step::CLICK, -250, 160},   // SLOWER
    {7, Step::CLICK, -250, 130},   // SPEEDUP
    {9, Step::CLICK, -250, 110},   // REVERSE
    {11, Step::CLICK, -250, 80},   // SHOOT!
    {12, Step::CLICK, -250, 210},  // STOP
    {14, Step::CLICK, -250, 230},  // NEW GAME
    {16, Step::KEY, 0, 0},
    {17, Step::CLICK, 0, 0},       // off the panel
    {19, Step::CLOSE, 0, 0},
};
constexpr int FRAMES = 20;

struct GameRun {
    int exit_code = -1;
    std::vector<std::vector<std::string>> frames;  // logged lines of each frame after the opening picture
    std::vector<std::string> presented;            // pixel hash of each presented graphics frame
    bool opening_shows_player = true;       // as last shown before the first frame was drawn
    bool first_frame_shows_player = false;  // as last shown before the second
};

// Child side: what the run saw, kept until game_main returns.
struct Recorder {
    std::vector<std::string> lines;
    int frames_drawn = 0;
    size_t next_step = 0;
    GameRun run;
};
Recorder *recorder = nullptr;

void keep_line(const char *line)
{
    recorder->lines.emplace_back(line);
    if (line == FIELD_LINE)
        recorder->frames_drawn++;
}

void click_at(int x, int y) { headless::click(graphics_window, centre_x + x, centre_y - y); }

void on_idle()
{
    if (print_observer == nullptr) {
        print_observer = keep_line;
        QZ370_set_logging(1);
    }
    if (recorder->next_step >= std::size(SCRIPT))
        return;
    const Step &step = SCRIPT[recorder->next_step];
    if (recorder->frames_drawn != step.after_frames)
        return;
    recorder->next_step++;
    switch (step.action) {
    case Step::CLICK:
        click_at(step.x, step.y);
        break;
    case Step::KEY:
        headless::type_char(graphics_window, 'k');
        break;
    case Step::CLOSE:
        headless::close_window(graphics_window);
        break;
    }
}

std::string hash_pixels(HWND hwnd)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(hwnd, &width, &height);
    uint64_t hash = 14695981039346656037ull;
    for (int i = 0; i < width * height; i++) {
        hash ^= pixels[i];
        hash *= 1099511628211ull;
    }
    return std::to_string(width) + "x" + std::to_string(height) + ":" + std::to_string(hash);
}

// A white point of the player's body, below its grey bar: black until the
// ship is drawn.
bool shows_player(HWND hwnd)
{
    int width = 0;
    int height = 0;
    const uint32_t *pixels = headless::client_pixels(hwnd, &width, &height);
    const int x = centre_x + 15;
    const int y = centre_y + 132;
    return x < width && y < height && pixels[y * width + x] == 0xFFFFFF;
}

void on_present(HWND hwnd)
{
    if (hwnd != graphics_window)
        return;
    recorder->run.presented.push_back(hash_pixels(hwnd));
    if (recorder->frames_drawn == 0)
        recorder->run.opening_shows_player = shows_player(hwnd);
    if (recorder->frames_drawn == 1)
        recorder->run.first_frame_shows_player = shows_player(hwnd);
}

void write_report(int fd, const GameRun &run, const std::vector<std::string> &lines)
{
    std::string report = "exit " + std::to_string(run.exit_code) + "\n";
    report += "opening " + std::to_string(run.opening_shows_player) + "\n";
    report += "first " + std::to_string(run.first_frame_shows_player) + "\n";
    for (const std::string &hash : run.presented)
        report += "present " + hash + "\n";
    for (const std::string &line : lines)
        report += "line " + line;
    for (size_t done = 0; done < report.size();) {
        const ssize_t written = write(fd, report.data() + done, report.size() - done);
        if (written <= 0)
            break;
        done += static_cast<size_t>(written);
    }
}

[[noreturn]] void play_in_child(int fd)
{
    Recorder record;
    recorder = &record;
    headless::set_idle_hook(on_idle);
    headless::set_present_hook(on_present);
    char command_line[] = "";
    record.run.exit_code = game_main(nullptr, nullptr, command_line, SW_SHOWNORMAL);
    write_report(fd, record.run, record.lines);
    close(fd);
    _exit(0);
}

GameRun parse_report(const std::string &report)
{
    GameRun run;
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        if (end == std::string::npos)
            end = report.size() - 1;
        const std::string line = report.substr(start, end + 1 - start);
        start = end + 1;
        if (line.starts_with("exit "))
            run.exit_code = std::stoi(line.substr(5));
        else if (line.starts_with("opening "))
            run.opening_shows_player = line[8] == '1';
        else if (line.starts_with("first "))
            run.first_frame_shows_player = line[6] == '1';
        else if (line.starts_with("present "))
            run.presented.push_back(line.substr(8));
        else if (line.starts_with("line ")) {
            const std::string logged = line.substr(5);
            if (logged == FIELD_LINE)
                run.frames.emplace_back();
            if (!run.frames.empty())
                run.frames.back().push_back(logged);
        }
    }
    return run;
}

GameRun play_scripted_game()
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        play_in_child(pipe_ends[1]);
    }
    close(pipe_ends[1]);
    std::string report;
    char buffer[65536];
    for (ssize_t got; (got = read(pipe_ends[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<size_t>(got));
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return parse_report(report);
}

// The x of the player's ship in a frame, read from its first wing; or a value
// no ship can have when the frame has none.
int player_x(const std::vector<std::string> &frame)
{
    for (const std::string &line : frame) {
        int left = 0;
        int x = 0;
        if (std::sscanf(line.c_str(), "white triangle at (%d,-150), (%d,-125)", &left, &x) == 2)
            return x;
    }
    return INT32_MIN;
}

bool frame_has(const std::vector<std::string> &frame, const std::string &line)
{
    for (const std::string &logged : frame)
        if (logged == line)
            return true;
    return false;
}

TEST(HeadlessGame, PlaysFromStartThroughEveryButtonAndEndsWithZero)
{
    const GameRun run = play_scripted_game();
    ASSERT_EQ(run.exit_code, 0);
    ASSERT_EQ(run.frames.size(), static_cast<size_t>(FRAMES)) << "one frame per event, the end event included";

    // Frames 1-3 ticks at speed 3; GO; SLOWER; SPEEDUP; REVERSE; SHOOT!; STOP;
    // NEW GAME; a key; a click off the panel; the close box.
    const int expected_x[FRAMES] = {3, 6, 9, 9, 17, 17, 24, 24, 32, 32, 24, 24, 24, 24, 0, 0, 0, 0, 0, 0};
    for (int frame = 0; frame < FRAMES; frame++)
        EXPECT_EQ(player_x(run.frames[frame]), expected_x[frame]) << "frame " << frame + 1;

    EXPECT_TRUE(frame_has(run.frames[11], "red rectangle with bounding box (23,-51) to (25,-76), filled\n"))
        << "SHOOT! launches from the player at once";
    EXPECT_TRUE(frame_has(run.frames[12], "red rectangle with bounding box (23,-16) to (25,-41), filled\n"));
    EXPECT_TRUE(frame_has(run.frames[14], "orange rectangle with bounding box (-253,310) to (-213,292), filled\n"))
        << "NEW GAME puts the fleet back in start formation";
    EXPECT_TRUE(frame_has(run.frames[14], "navy blue rectangle with bounding box (-197,339) to (-157,321), filled\n"));
    EXPECT_GE(run.frames[FRAMES - 1].size(), 114u) << "the end event still gets a full frame";
}

TEST(HeadlessGame, FirstFullFrameOnlyAfterTheFirstEvent)
{
    const GameRun run = play_scripted_game();
    ASSERT_EQ(run.exit_code, 0);
    ASSERT_GE(run.presented.size(), 2u);
    EXPECT_FALSE(run.opening_shows_player);
    EXPECT_TRUE(run.first_frame_shows_player);
}

TEST(HeadlessGame, SameEventsGiveTheSameFrames)
{
    const GameRun first = play_scripted_game();
    const GameRun second = play_scripted_game();
    ASSERT_EQ(first.exit_code, 0);
    ASSERT_EQ(second.exit_code, 0);
    ASSERT_GE(first.presented.size(), static_cast<size_t>(FRAMES));
    EXPECT_EQ(first.presented, second.presented);
    EXPECT_EQ(first.frames, second.frames);
}

}  // namespace
