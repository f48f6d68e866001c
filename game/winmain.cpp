// The program's entry point: the platform's start-up hands its four values on.
#include "game_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_command)
{
    return game_main(instance, previous_instance, command_line, show_command);
}
