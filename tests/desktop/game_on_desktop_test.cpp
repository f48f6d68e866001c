// The game in real windows on an X server, played through the mouse and the
// keyboard as a user plays it.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <memory>
#include <thread>

#include "desktop/game_under_x.h"
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

bool is_enabled()
{
    const char *enabled = std::getenv("QZ370_DESKTOP_TESTS");
    return enabled != nullptr && std::string(enabled) == "1";
}

class GameOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!is_enabled()) {
            GTEST_SKIP() << "runs on a virtual X server: make desktop-test";
        }
        Display *display = GameUnderX::open_display();
        if (display == nullptr) {
            GTEST_SKIP() << "no X server to run on";
        }
        game_ = std::make_unique<GameUnderX>(display);
        game_->start();
        graphics_ = game_->wait_for_window("QZ370 Graphics");
        text_ = game_->wait_for_window("QZ370 Text");
        ASSERT_NE(graphics_, 0u) << game_->output();
        ASSERT_NE(text_, 0u) << game_->output();
        place_ = game_->geometry(graphics_);
        ASSERT_TRUE(wait_until([&] { return all_labels_drawn(client()); })) << "the panel never appeared";
        game_->focus(graphics_);
    }

    Screenshot client() const
    {
        return game_->capture(place_.x, place_.y + MENU_BAR, CLIENT_WIDTH, CLIENT_HEIGHT);
    }

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

TEST_F(GameOnDesktop, ShootPutsARedBeamAboveTheShipInTheSamePass)
{
    game_->keys({XK_Control_L, XK_h});
    ASSERT_TRUE(wait_until([&] { return still_for(FRAME_GAP); })) << "Ctrl+H did not halt the game";
    ASSERT_TRUE(beam_columns(client()).empty());

    // Halted, the click's own pass is the only frame drawn.
    int shoot_row = row_of(PANEL_TOP - BUTTON_HEIGHT * SHOOT_BUTTON - BUTTON_HEIGHT / 2);
    game_->click(place_.x + column_of((PANEL_LEFT + PANEL_RIGHT) / 2), place_.y + MENU_BAR + shoot_row);
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

TEST_F(GameOnDesktop, ClosingTheTextWindowOnlyDestroysIt)
{
    game_->ask_to_close(text_);
    EXPECT_TRUE(wait_until([&] { return game_->find_window("QZ370 Text") == 0; }));
    EXPECT_FALSE(game_->wait_for_exit(FRAME_GAP).has_value());
    EXPECT_TRUE(wait_until([&] { return !still_for(FRAME_GAP); })) << "the game stopped";
}
