// The game in real windows on an X server, played through the mouse and the
// keyboard as a user plays it.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <regex>
#include <thread>

#include "desktop/game_under_x.h"
#include "desktop/virtual_server.h"
#include "tools/replay_tool_runner.h"
#include "user/window_system.h"

using namespace desktop_test;
using qz370::platform::BORDER;
using qz370::platform::CAPTION;
using qz370::platform::MENU_BAR;

namespace {

constexpr int CLIENT_WIDTH = 595;
constexpr int CLIENT_HEIGHT = 500;
constexpr int CENTRE_X = 297;
constexpr int CENTRE_Y = 250;

constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t ICE_BLUE = 0x99FFFF;
constexpr uint32_t MENU_FACE = 0xC0C0C0;
constexpr uint32_t MENU_HIGHLIGHT = 0x000080;

// The panel's buttons, top to bottom, with the colours of their labels.
constexpr int BUTTONS = 7;
constexpr uint32_t LABEL_COLOURS[BUTTONS] = {ICE_BLUE, WHITE, WHITE, WHITE, WHITE, WHITE, RED};
constexpr int BUTTON_HEIGHT = 25;
constexpr int PANEL_TOP = 245;
constexpr int PANEL_LEFT = -295;
constexpr int PANEL_RIGHT = -220;
constexpr int SHOOT_BUTTON = 6;
constexpr int LABEL_PIXELS = 15;  // far more than a star, far fewer than any label

// A shot fired from rest is first drawn from y -76 to -51.
constexpr int FIRST_BEAM_BOTTOM = -76;
constexpr int BEAM_LENGTH = 25;
constexpr int BEAM_PIXELS = 20;
constexpr int SHIP_DEPTH = 90;

constexpr auto FRAME_GAP = std::chrono::milliseconds(300);

int column_of(int x) { return CENTRE_X + x; }
int row_of(int y) { return CENTRE_Y - y; }

// The picture a screenshot of windows enlarged by scale shows; empty when
// some enlarged pixel is not of one colour.
Screenshot reduced(const Screenshot &shot, int scale)
{
    Screenshot picture{shot.width / scale, shot.height / scale, {}};
    for (int y = 0; y < picture.height * scale; ++y) {
        for (int x = 0; x < picture.width * scale; ++x) {
            if (shot.at(x, y) != shot.at(x - x % scale, y - y % scale)) {
                return Screenshot{};
            }
        }
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(shot.at(x * scale, y * scale));
        }
    }
    return picture;
}

class GameOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!desktop_tests_enabled()) {
            GTEST_SKIP() << "runs on a virtual X server: make desktop-test";
        }
        Display *display = GameUnderX::open_display();
        if (display == nullptr) {
            GTEST_SKIP() << "no X server to run on";
        }
        game_ = std::make_unique<GameUnderX>(display);
        game_->start(settings_);
        graphics_ = game_->wait_for_window("QZ370 Graphics");
        text_ = game_->wait_for_window("QZ370 Text");
        ASSERT_NE(graphics_, 0u) << game_->output();
        ASSERT_NE(text_, 0u) << game_->output();
        place_ = game_->geometry(graphics_);
        ASSERT_TRUE(wait_until([&] { return all_labels_drawn(client()); })) << "the panel never appeared";
        game_->focus(graphics_);
    }

    // In the window system's pixels, whatever the scale.
    Screenshot client() const
    {
        return reduced(game_->capture(place_.x, place_.y + scale_ * MENU_BAR, scale_ * CLIENT_WIDTH,
                                      scale_ * CLIENT_HEIGHT),
                       scale_);
    }

    // On the last screen pixel of the enlarged client pixel.
    void click_client(int column, int row)
    {
        game_->click(place_.x + scale_ * column + scale_ - 1, place_.y + scale_ * (MENU_BAR + row) + scale_ - 1);
    }

    void halt()
    {
        game_->keys({XK_Control_L, XK_h});
        ASSERT_TRUE(wait_until([&] { return still_for(FRAME_GAP); })) << "Ctrl+H did not halt the game";
    }

    void shoot_from_rest_and_see_the_beam();

    // The top-left corner of the window's content, the menu bar's included.
    Screenshot content(int width, int height) const { return game_->capture(place_.x, place_.y, width, height); }

    static int label_pixels(const Screenshot &shot, int button)
    {
        int top = row_of(PANEL_TOP - BUTTON_HEIGHT * button) + 2;
        return shot.count(LABEL_COLOURS[button], column_of(PANEL_LEFT) + 2, top, column_of(PANEL_RIGHT) - 2,
                          top + BUTTON_HEIGHT - 4);
    }

    static bool all_labels_drawn(const Screenshot &shot)
    {
        for (int button = 0; button < BUTTONS; ++button) {
            if (label_pixels(shot, button) < LABEL_PIXELS) {
                return false;
            }
        }
        return true;
    }

    bool still_for(std::chrono::milliseconds gap) const
    {
        Screenshot before = client();
        std::this_thread::sleep_for(gap);
        return client() == before;
    }

    bool menu_open() const { return content(2, 2).at(1, 1) == MENU_HIGHLIGHT; }
    bool menu_closed() const { return content(2, 2).at(1, 1) == MENU_FACE; }

    // The pop-up's column of check marks, down past the Logging item.
    Screenshot check_column() const
    {
        constexpr int FRAME = 3;
        constexpr int CHECK_COLUMN = 17;
        constexpr int DEPTH = 120;
        return game_->capture(place_.x + FRAME, place_.y + MENU_BAR + FRAME, CHECK_COLUMN, DEPTH);
    }

    Screenshot check_column_of_open_menu()
    {
        game_->keys({XK_Alt_L, XK_r});
        EXPECT_TRUE(wait_until([&] { return menu_open(); })) << "Alt+R opened no menu";
        Screenshot column = check_column();
        game_->keys({XK_Escape});
        EXPECT_TRUE(wait_until([&] { return menu_closed(); })) << "Esc left the menu open";
        return column;
    }

    int scale_ = 1;
    std::vector<std::string> settings_;  // the program's environment
    std::unique_ptr<GameUnderX> game_;
    Window graphics_ = 0;
    Window text_ = 0;
    Geometry place_{};
};

// The columns right of the panel where a red beam runs down the rows of a
// freshly fired shot.
std::vector<int> beam_columns(const Screenshot &shot)
{
    std::vector<int> columns;
    int top = row_of(FIRST_BEAM_BOTTOM + BEAM_LENGTH);
    for (int x = column_of(PANEL_RIGHT) + 1; x < shot.width; ++x) {
        if (shot.count(RED, x, top, x + 1, top + BEAM_LENGTH + 1) >= BEAM_PIXELS) {
            columns.push_back(x);
        }
    }
    return columns;
}

}  // namespace

TEST_F(GameOnDesktop, BothWindowsHaveTheirTitlesPlacesAndSizes)
{
    EXPECT_EQ(place_.x, 0);
    EXPECT_EQ(place_.y, 0);
    EXPECT_EQ(place_.width, CLIENT_WIDTH);
    EXPECT_EQ(place_.height, MENU_BAR + CLIENT_HEIGHT);

    Display *display = GameUnderX::open_display();
    int screen_width = DisplayWidth(display, DefaultScreen(display));
    int screen_height = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
    Geometry text = game_->geometry(text_);
    EXPECT_EQ(text.x, 0);
    EXPECT_EQ(text.y, 2 * screen_height / 3 + 1);
    EXPECT_EQ(text.width, screen_width - 2 * BORDER);
    EXPECT_EQ(text.height, screen_height / 3 - 2 * BORDER - CAPTION);
}

TEST_F(GameOnDesktop, ThePanelShowsItsSevenLabelsInTheirColours)
{
    Screenshot shot = client();
    for (int button = 0; button < BUTTONS; ++button) {
        EXPECT_GE(label_pixels(shot, button), LABEL_PIXELS) << "button " << button;
    }
}

void GameOnDesktop::shoot_from_rest_and_see_the_beam()
{
    halt();
    ASSERT_TRUE(beam_columns(client()).empty());

    // Halted, the click's own pass is the only frame drawn.
    int shoot_row = row_of(PANEL_TOP - BUTTON_HEIGHT * SHOOT_BUTTON - BUTTON_HEIGHT / 2);
    click_client(column_of((PANEL_LEFT + PANEL_RIGHT) / 2), shoot_row);
    std::vector<int> beam;
    ASSERT_TRUE(wait_until([&] { return !(beam = beam_columns(client())).empty(); })) << "no beam appeared";

    Screenshot shot = client();
    int middle = beam[beam.size() / 2];
    int below = row_of(FIRST_BEAM_BOTTOM) + 1;
    constexpr int SHIP_BAND = 5;
    EXPECT_LE(beam.size(), 3u);
    EXPECT_LT(shot.count(BLACK, middle - SHIP_BAND / 2, below, middle + SHIP_BAND / 2 + 1, below + SHIP_DEPTH),
              SHIP_BAND * SHIP_DEPTH)
        << "nothing but black under the beam: no ship";
}

TEST_F(GameOnDesktop, ShootPutsARedBeamAboveTheShipInTheSamePass) { shoot_from_rest_and_see_the_beam(); }

TEST_F(GameOnDesktop, CtrlHHaltsTheStarsAndCtrlARunsThemAgain)
{
    ASSERT_FALSE(still_for(FRAME_GAP)) << "the stars do not move at the start";
    game_->keys({XK_Control_L, XK_h});
    EXPECT_TRUE(wait_until([&] { return still_for(FRAME_GAP); }));
    game_->keys({XK_Control_L, XK_a});
    EXPECT_TRUE(wait_until([&] { return !still_for(FRAME_GAP); }));
}

// The windows never hear of a Ctrl let go while neither has the focus, so an H
// typed back in the graphics window still halts the game.
TEST_F(GameOnDesktop, CtrlReleasedOutsideTheWindowsStaysHeld)
{
    game_->press(XK_Control_L);
    ASSERT_TRUE(wait_until([&] { return !still_for(FRAME_GAP); }));
    game_->focus_nowhere();
    game_->release(XK_Control_L);
    game_->focus(graphics_);
    game_->keys({XK_h});
    EXPECT_TRUE(wait_until([&] { return still_for(FRAME_GAP); })) << "the release outside reached the game";
}

TEST_F(GameOnDesktop, TheRunMenuShowsTheLoggingCheckMarkThatCtrlLSwitches)
{
    // The game switches logging off as it starts.
    game_->keys({XK_Control_L, XK_l});
    Screenshot logging_on = check_column_of_open_menu();
    game_->keys({XK_Control_L, XK_l});
    Screenshot logging_off = check_column_of_open_menu();

    ASSERT_EQ(logging_on.width, logging_off.width);
    EXPECT_GE(logging_on.count(BLACK, 0, 0, logging_on.width, logging_on.height), 10);
    EXPECT_EQ(logging_off.count(BLACK, 0, 0, logging_off.width, logging_off.height), 0);
}

TEST_F(GameOnDesktop, CtrlQEndsTheProgramWithExitCodeZero)
{
    game_->keys({XK_Control_L, XK_q});
    EXPECT_EQ(game_->wait_for_exit(), std::optional<int>(0)) << game_->output();
}

TEST_F(GameOnDesktop, ClosingTheGraphicsWindowEndsTheProgramWithExitCodeZero)
{
    game_->ask_to_close(graphics_);
    EXPECT_EQ(game_->wait_for_exit(), std::optional<int>(0)) << game_->output();
}

class RecordedFromTheStart : public GameOnDesktop {
protected:
    void SetUp() override
    {
        settings_ = {"QZ370_RECORD=1"};
        GameOnDesktop::SetUp();
    }
};

// Recorded from the first wait, a run halted anywhere shows the last frame its
// headless replay shows before the replay's Quit.
TEST_F(RecordedFromTheStart, AHaltedRunShowsTheLastFrameOfItsReplay)
{
    std::this_thread::sleep_for(FRAME_GAP);
    int shoot_row = row_of(PANEL_TOP - BUTTON_HEIGHT * SHOOT_BUTTON - BUTTON_HEIGHT / 2);
    game_->click(place_.x + column_of((PANEL_LEFT + PANEL_RIGHT) / 2), place_.y + MENU_BAR + shoot_row);
    std::this_thread::sleep_for(FRAME_GAP);
    game_->keys({XK_Control_L, XK_h});
    ASSERT_TRUE(wait_until([&] { return still_for(FRAME_GAP); })) << "Ctrl+H did not halt the game";
    Screenshot halted = client();
    game_->keys({XK_Control_L, XK_q});
    ASSERT_EQ(game_->wait_for_exit(), std::optional<int>(0)) << game_->output();

    std::string script = game_->file("QZ370.SCR");
    std::string hashes = game_->file("hashes.txt");
    std::string replay = std::string(QZ370_BINARY_DIR "/tools/qz370-replay/qz370-replay --quiet --script '") +
                         script + "' --hashes '" + hashes + "'";
    ASSERT_EQ(std::system(replay.c_str()), 0);
    std::vector<std::string> frames = qz370::test::read_lines(hashes);
    ASSERT_GE(frames.size(), 3u) << "the opening frame, ticks and the click";
    EXPECT_EQ(frames.back(), qz370::test::xxh3_pixels_hex(halted.pixels.data(), halted.width, halted.height));
}

TEST_F(GameOnDesktop, ClosingTheTextWindowOnlyDestroysIt)
{
    game_->ask_to_close(text_);
    EXPECT_TRUE(wait_until([&] { return game_->find_window("QZ370 Text") == 0; }));
    EXPECT_FALSE(game_->wait_for_exit(FRAME_GAP).has_value());
    EXPECT_TRUE(wait_until([&] { return !still_for(FRAME_GAP); })) << "the game stopped";
}

namespace {

constexpr int LARGE_SCREEN_WIDTH = 3840;
constexpr int LARGE_SCREEN_HEIGHT = 2160;

struct ScaleCase {
    const char *setting;  // QZ370_SCALE, or null
    int factor;
    bool warns;
};

// A screen 2160 lines high doubles the windows unless QZ370_SCALE says otherwise.
constexpr ScaleCase SCALE_CASES[] = {{nullptr, 2, false}, {"3", 3, false}, {"9", 1, true}};

// The game on a large screen of its own.
class ScaledGameOnDesktop : public GameOnDesktop, public ::testing::WithParamInterface<ScaleCase> {
protected:
    void SetUp() override
    {
        if (!desktop_tests_enabled()) {
            GTEST_SKIP() << "runs on a virtual X server: make desktop-test";
        }
        server_ = std::make_unique<VirtualServer>(LARGE_SCREEN_WIDTH, LARGE_SCREEN_HEIGHT);
        ASSERT_TRUE(server_->running()) << "Xvfb did not start";
        scale_ = GetParam().factor;
        if (GetParam().setting != nullptr) {
            settings_ = {std::string("QZ370_SCALE=") + GetParam().setting};
        }
        GameOnDesktop::SetUp();
    }

    // The game goes before its X server does.
    void TearDown() override { game_.reset(); }

    std::unique_ptr<VirtualServer> server_;
};

std::vector<std::string> mouse_lines(const std::string &script)
{
    static const std::regex MOUSE_LINE("QZ370_MOUSE\\(-?[0-9]+, -?[0-9]+\\);");
    std::vector<std::string> lines;
    for (auto match = std::sregex_iterator(script.begin(), script.end(), MOUSE_LINE); match != std::sregex_iterator();
         ++match) {
        lines.push_back(match->str());
    }
    return lines;
}

std::string mouse_line(int x, int y)
{
    return "QZ370_MOUSE(" + std::to_string(x) + ", " + std::to_string(y) + ");";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Factors, ScaledGameOnDesktop, ::testing::ValuesIn(SCALE_CASES),
                         [](const ::testing::TestParamInfo<ScaleCase> &info) {
                             return info.param.setting == nullptr ? std::string("ChosenFromTheScreen")
                                                                  : std::string("Set") + info.param.setting;
                         });

TEST_P(ScaledGameOnDesktop, BothWindowsAreEnlargedAndTheProgramSeesTheScreenDivided)
{
    EXPECT_EQ(place_.width, scale_ * CLIENT_WIDTH);
    EXPECT_EQ(place_.height, scale_ * (MENU_BAR + CLIENT_HEIGHT));
    int seen_width = LARGE_SCREEN_WIDTH / scale_;
    int seen_height = LARGE_SCREEN_HEIGHT / scale_;
    Geometry text = game_->geometry(text_);
    EXPECT_EQ(text.y, scale_ * (2 * seen_height / 3 + 1));
    EXPECT_EQ(text.width, scale_ * (seen_width - 2 * BORDER));
    EXPECT_EQ(text.height, scale_ * (seen_height / 3 - 2 * BORDER - CAPTION));
    std::string output = game_->output();
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), GetParam().warns ? 1 : 0) << output;
    EXPECT_EQ(output.find("QZ370_SCALE=9") != std::string::npos, GetParam().warns) << output;
}

TEST_P(ScaledGameOnDesktop, AClickOnTheEnlargedShootButtonFires) { shoot_from_rest_and_see_the_beam(); }

// Halted after some ticks, the game shows what a replay of as many ticks shows.
TEST_P(ScaledGameOnDesktop, TheClientIsTheHeadlessPictureEnlarged)
{
    halt();
    Screenshot shot = client();
    ASSERT_EQ(shot.width, CLIENT_WIDTH) << "some enlarged pixel is not of one colour";
    qz370::test::TemporaryDirectory work;
    qz370::test::write_file(work.file("ticks.scr"), "QZ370_PERIODIC(1000);\n");
    ASSERT_EQ(qz370::test::run_replay_tool({"--script", "ticks.scr", "--hashes", "hashes.txt", "--quiet"},
                                           work.path(), work.path())
                  .exit_status,
              0);
    std::vector<std::string> hashes = qz370::test::read_lines(work.file("hashes.txt"));
    std::string ours = qz370::test::xxh3_pixels_hex(shot.pixels.data(), shot.width, shot.height);
    EXPECT_NE(std::find(hashes.begin(), hashes.end(), ours), hashes.end());
}

TEST_P(ScaledGameOnDesktop, AClickAnywhereInAnEnlargedPixelIsThatPixel)
{
    constexpr int COLUMN = 400;
    constexpr int ROW = 300;
    halt();
    game_->keys({XK_Control_L, XK_r});
    int left = place_.x + scale_ * COLUMN;
    int top = place_.y + scale_ * (MENU_BAR + ROW);
    game_->click(left, top);
    game_->click(left + scale_ - 1, top + scale_ - 1);
    game_->click(left + scale_, top + scale_);
    game_->keys({XK_Control_L, XK_r});

    std::vector<std::string> clicks;
    EXPECT_TRUE(wait_until([&] { return (clicks = mouse_lines(game_->contents("QZ370.SCR"))).size() == 3; }));
    std::string pixel = mouse_line(COLUMN - CENTRE_X, CENTRE_Y - ROW);
    EXPECT_EQ(clicks, (std::vector<std::string>{pixel, pixel, mouse_line(COLUMN + 1 - CENTRE_X, CENTRE_Y - ROW - 1)}));
}
