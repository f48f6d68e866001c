// The backdrop of every frame: the black field that wipes out the previous
// frame, the stars, the title and the credit line.
#include "game_state.h"

namespace {

constexpr int32_t TEXT_X = -100;
constexpr int32_t TITLE_Y = -220;
constexpr int32_t CREDIT_Y = -240;
constexpr int CREDIT_SIZE = 12;
constexpr int TITLE_SIZE = CREDIT_SIZE + 4;
constexpr int REGISTERED_SIGN = 174;  // in the Windows-1252 code page

constexpr const char *TITLE_FORMAT = "VORTALINE %c EPISODE 2";
constexpr const char *CREDIT = "by the Vortaline crew";

}  // namespace

void draw_backdrop(int32_t x, int32_t y1, int32_t y2)
{
    QZ370_rectangle(BLACK, -FIELD_HALF_WIDTH, -FIELD_HALF_HEIGHT, FIELD_HALF_WIDTH, FIELD_HALF_HEIGHT, FILLED);
    draw_star_pattern(x, y1);
    draw_star_pattern(x, y2);
    QZ370_text_printf(YELLOW, TEXT_X, TITLE_Y, TITLE_SIZE, TITLE_FORMAT, REGISTERED_SIGN);
    QZ370_text_printf(WHITE, TEXT_X, CREDIT_Y, CREDIT_SIZE, CREDIT);
}
