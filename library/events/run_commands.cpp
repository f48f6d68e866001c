// The Run menu's commands, chosen from the menu or by their Ctrl-letter keys.
// They only change flags; the event wait acts on them.
#include "library_state.h"

namespace {

struct CtrlKeyCommand {
    WPARAM virtual_key;  // letter keys' codes are their upper-case characters
    UINT id;
};

constexpr CtrlKeyCommand CTRL_KEY_COMMANDS[] = {
    {'A', MENU_ANIMATE}, {'H', MENU_HALT},     {'F', MENU_ADVANCE_FRAME}, {'L', MENU_LOGGING},
    {'R', MENU_RECORD},  {'P', MENU_PLAYBACK}, {'O', MENU_PLAY_ONE},      {'Q', MENU_QUIT},
};

void toggle_logging()
{
    logging = logging ? 0 : 1;
    check_run_item(MENU_LOGGING, logging != 0);
}

}  // namespace

// The id is wParam taken whole: a notification code in the high word makes it no command.
void perform_run_command(WPARAM id)
{
    switch (id) {
    case MENU_ANIMATE:
        input.running = 1;
        break;
    case MENU_HALT:
        input.running = 0;
        break;
    case MENU_ADVANCE_FRAME:
        input.running = 0;
        input.single_step = 1;
        break;
    case MENU_LOGGING:
        toggle_logging();
        break;
    case MENU_RECORD:
        toggle_recording();
        break;
    case MENU_PLAYBACK:
        toggle_playback();
        break;
    case MENU_PLAY_ONE:
        request_play_one();
        break;
    case MENU_QUIT:
        // Leaves the windows in place; the next wait turns the request into the end event.
        PostQuitMessage(0);
        break;
    default:
        break;
    }
}

// Every key-down counts, auto-repeats included, so a held Ctrl+L flips logging on each repeat.
void handle_key_down(WPARAM virtual_key)
{
    if (virtual_key == VK_CONTROL) {
        input.ctrl_down = 1;
        return;
    }
    if (!input.ctrl_down) {
        return;
    }
    for (const CtrlKeyCommand &command : CTRL_KEY_COMMANDS) {
        if (command.virtual_key == virtual_key) {
            perform_run_command(command.id);
            return;
        }
    }
}

void handle_key_up(WPARAM virtual_key)
{
    if (virtual_key == VK_CONTROL) {
        input.ctrl_down = 0;
    }
}
