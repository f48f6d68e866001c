// Placeholder until the game lands.
#include "game_state.h"

int game_main(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
