// The "&Run" menu of the graphics window, built when the window is created.
#include "library_state.h"

HMENU run_menu = nullptr;

namespace {

struct RunMenuEntry {
    UINT flags;
    UINT id;
    const char *text;  // null for a separator
};

constexpr UINT NO_ID = 0;

// Logging starts checked because the logging flag starts on.
constexpr RunMenuEntry RUN_MENU_ENTRIES[] = {
    {MF_STRING, MENU_ANIMATE, "&Animate\tCtrl+A"},
    {MF_STRING, MENU_HALT, "&Halt animation\tCtrl+H"},
    {MF_STRING, MENU_ADVANCE_FRAME, "Advance one &frame\tCtrl+F"},
    {MF_SEPARATOR, NO_ID, nullptr},
    {MF_STRING | MF_CHECKED, MENU_LOGGING, "&Logging\tCtrl+L"},
    {MF_SEPARATOR, NO_ID, nullptr},
    {MF_STRING, MENU_RECORD, "&Record Script\tCtrl+R"},
    {MF_STRING, MENU_PLAYBACK, "&Playback Script\tCtrl+P"},
    {MF_STRING, MENU_PLAY_ONE, "Play &One Script\tCtrl+O"},
    {MF_SEPARATOR, NO_ID, nullptr},
    {MF_STRING, MENU_QUIT, "&Quit\tCtrl+Q"},
    {MF_SEPARATOR, NO_ID, nullptr},
    {MF_GRAYED, MENU_ABOUT, "QZ370 v2.2 July 1997"},
    {MF_GRAYED, MENU_ABOUT, "Vortaline crew, QZ370 team"},
    {MF_GRAYED, MENU_ABOUT, "Bug reports: see the README"},
    {MF_GRAYED, MENU_ABOUT, "Made for the classic desktop"},
};

constexpr const char *RUN_MENU_TITLE = "&Run";

}  // namespace

void build_run_menu(HWND hwnd)
{
    HMENU menu_bar = CreateMenu();
    run_menu = CreatePopupMenu();
    for (const RunMenuEntry &entry : RUN_MENU_ENTRIES) {
        AppendMenuA(run_menu, entry.flags, entry.id, entry.text);
    }
    AppendMenuA(menu_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu), RUN_MENU_TITLE);
    SetMenu(hwnd, menu_bar);
    DrawMenuBar(hwnd);
}

void check_run_item(UINT id, bool checked)
{
    CheckMenuItem(run_menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
