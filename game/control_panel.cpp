// The control panel: seven buttons in a column at the upper left, drawn in
// every frame and carried out on a click.
#include "game_state.h"

namespace {

constexpr int BUTTON_COUNT = 7;
constexpr int32_t PANEL_LEFT = -295;
constexpr int32_t PANEL_RIGHT = -220;
constexpr int32_t PANEL_TOP = 245;
constexpr int32_t BUTTON_HEIGHT = 25;
constexpr int32_t PANEL_BOTTOM = PANEL_TOP - BUTTON_COUNT * BUTTON_HEIGHT;
constexpr int FRAME_WIDTH = 1;

constexpr int32_t LABEL_X = -285;
constexpr int LABEL_SIZE = 12;
constexpr int32_t FIRST_LABEL_Y = 233 - LABEL_SIZE / 2;

constexpr int32_t GO_SPEED = 8;

enum Button { NEW_GAME, STOP, GO, SLOWER, SPEEDUP, REVERSE, SHOOT };

struct Label {
    int colour;
    const char *text;
};

constexpr Label LABELS[BUTTON_COUNT] = {
    {ICE_BLUE, "NEW GAME"}, {WHITE, "STOP"},    {WHITE, "GO"},  {WHITE, "SLOWER"},
    {WHITE, "SPEEDUP"},     {WHITE, "REVERSE"}, {RED, "SHOOT!"},
};

int32_t button_top(int i) { return PANEL_TOP - BUTTON_HEIGHT * i; }

// A point on the line between two buttons belongs to the lower one: the
// division truncates toward zero.
int64_t button_index(int y) { return (int64_t{PANEL_TOP} - y) / BUTTON_HEIGHT; }

void start_new_game(int32_t &speed, int32_t &player_x, EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive)
{
    reset_fleet(fleet);
    speed = 0;
    player_x = 0;
    player_alive = 1;
}

void slow_down(int32_t &speed)
{
    speed = speed - 1;
    if (speed < 0)
        speed = 0;
}

// Pressing "SPEEDUP" two billion times saturates rather than overflows.
void speed_up(int32_t &speed)
{
    if (speed < MAX_PLAYER_SPEED)
        speed = speed + 1;
}

}  // namespace

void draw_control_panel()
{
    for (int i = 0; i < BUTTON_COUNT; i++)
        QZ370_rectangle(WHITE, PANEL_LEFT, button_top(i), PANEL_RIGHT, button_top(i) - BUTTON_HEIGHT, FRAME_WIDTH);
    for (int i = 0; i < BUTTON_COUNT; i++)
        QZ370_text_printf(LABELS[i].colour, LABEL_X, FIRST_LABEL_Y - BUTTON_HEIGHT * i, LABEL_SIZE, "%s",
                          LABELS[i].text);
}

int panel_hit(int x, int y)
{
    return x > PANEL_LEFT && x < PANEL_RIGHT && y > PANEL_BOTTOM && y < PANEL_TOP ? 1 : 0;
}

void panel_click(int, int y, int32_t &speed, int32_t &direction, int32_t &shot_active, LaserShot &shot,
                 int32_t &player_x, EnemyShip (&fleet)[FLEET_SIZE], int32_t &player_alive)
{
    switch (button_index(y)) {
    case NEW_GAME:
        start_new_game(speed, player_x, fleet, player_alive);
        break;
    case STOP:
        speed = 0;
        break;
    case GO:
        speed = GO_SPEED;
        break;
    case SLOWER:
        slow_down(speed);
        break;
    case SPEEDUP:
        speed_up(speed);
        break;
    case REVERSE:
        direction = -direction;
        break;
    case SHOOT:
        fire_shot(shot, shot_active, player_x);
        break;
    default:
        break;
    }
}
